// The tick through a real sound server that ends and starts again while the
// clock runs: PulseAudio as an unprivileged user with its own runtime folder,
// a null sink recorded from its monitor, OpenAL on its "pulse" backend.
#include <gtest/gtest.h>

#include "tests/sound/recording.h"
#include "tests/support/e2e.h"
#include "tests/support/test_user.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace e2e;

namespace {

// A sound server of the test user, listening on a socket in its own
// runtime folder; started and ended as often as the test likes.
class SoundServer {
public:
    // The folder is made under /tmp: the user may not reach the build tree.
    explicit SoundServer(const TestUser& user) : m_user(user)
    {
        char pattern[] = "/tmp/tarnwick-sound-server-XXXXXX";
        if (mkdtemp(pattern) != nullptr)
            m_folder = pattern;
        chmod(m_folder.c_str(), 0755);
        for (const char* sub : {"/runtime", "/home"}) {
            std::filesystem::create_directories(m_folder + sub);
            chown((m_folder + sub).c_str(), user.uid, user.gid);
            chmod((m_folder + sub).c_str(), 0700);
        }
        // Anyone may connect (the program and the recorder run as the test
        // runner); the sink takes the tick's own format, so nothing converts it.
        std::ofstream(m_folder + "/server.pa") << "load-module module-native-protocol-unix socket=" << socket()
                                               << " auth-anonymous=1\n"
                                                  "load-module module-null-sink sink_name=tick rate=44100 "
                                                  "channels=1 format=s16le\n"
                                                  "set-default-sink tick\n";
    }
    ~SoundServer()
    {
        if (m_process)
            kill();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    SoundServer(const SoundServer&) = delete;
    SoundServer& operator=(const SoundServer&) = delete;

    std::string socket() const { return m_folder + "/runtime/native"; }
    std::string address() const { return "unix:" + socket(); }

    // True once the server listens.
    bool start()
    {
        std::filesystem::remove(socket());
        m_process = std::make_unique<Process>(
            asUser(m_user, {"pulseaudio", "-n", "-F", m_folder + "/server.pa", "--daemonize=no",
                            "--exit-idle-time=-1", "--use-pid-file=no", "--system=no", "--log-target=stderr"}),
            std::map<std::string, std::string>{{"XDG_RUNTIME_DIR", m_folder + "/runtime"},
                                               {"PULSE_RUNTIME_PATH", m_folder + "/runtime"},
                                               {"HOME", m_folder + "/home"}});
        for (double waited = 0; waited < 15.0; waited += 0.1, pause(0.1))
            if (std::filesystem::exists(socket()))
                return true;
        return false;
    }

    // Ends the server as a crash would.
    void kill()
    {
        m_process->signal(SIGKILL);
        m_process->wait(10.0);
        m_process.reset();
    }

    std::string log() const { return m_process ? m_process->err() : ""; }

private:
    TestUser m_user;
    std::string m_folder;
    std::unique_ptr<Process> m_process;
};

// What the null sink plays, recorded into the artefact <name>.wav until the
// recorder is ended.
std::unique_ptr<Process> recordSink(const SoundServer& server, const std::string& name)
{
    const std::string path = artefactPath(name + ".wav");
    std::filesystem::remove(path);
    return std::make_unique<Process>(std::vector<std::string>{
        "parecord", "--server=" + server.address(), "--device=tick.monitor", "--rate=44100", "--channels=1",
        "--format=s16le", "--file-format=wav", path});
}

void endRecording(Process& recorder)
{
    recorder.signal(SIGINT);  // the recorder completes the file's header
    recorder.wait(10.0);
}

} // namespace

TEST(SoundServer, TheTickComesBackWhenTheSoundServerStartsAgain)
{
    const TestUser user = testUser();
    if (user.uid == 0)
        GTEST_SKIP() << "the sound server refuses to run as root, and no other user could be made";
    VirtualDisplay display{{"640x480x24"}};
    ASSERT_TRUE(display.ok());
    SoundServer server(user);
    ASSERT_TRUE(server.start()) << server.log();

    const std::string client = artefactPath("sound-server-client");
    std::filesystem::create_directories(client);
    std::ofstream(client + "/alsoft.conf") << "[general]\nchannels = mono\nsample-type = int16\nfrequency = 44100\n"
                                              "output-limiter = false\ndither = false\n";
    std::ofstream(client + "/client.conf") << "autospawn = no\n";
    auto env = quietEnv(display);
    env["ALSOFT_DRIVERS"] = "pulse";
    env["ALSOFT_CONF"] = client + "/alsoft.conf";
    env["PULSE_SERVER"] = server.address();
    env["PULSE_CLIENTCONFIG"] = client + "/client.conf";
    env["HOME"] = client;
    env["GALLIUM_NOOP"] = "1";
    Process run({binaryPath(), "/s"}, env);
    const Window window = findWindow(display.x(), "Tarnwick", 30.0);
    ASSERT_NE(window, 0u) << run.err();

    // The tick is heard through the server.
    auto recorder = recordSink(server, "server-before");
    pause(4.0);
    endRecording(*recorder);
    EXPECT_GE(recordedTicks("server-before").size(), 2u) << "no tick through the sound server\n" << run.err();

    // The server ends: one line says so, and the clock goes on.
    server.kill();
    pause(6.0);
    ASSERT_TRUE(run.running()) << run.err();
    EXPECT_EQ(run.err(), "tarnwick: the sound device has gone; the tick comes back when it does\n");

    // It starts again: the tick is back within five seconds, a second apart.
    ASSERT_TRUE(server.start()) << server.log();
    recorder = recordSink(server, "server-after");
    pause(9.0);
    endRecording(*recorder);
    const std::vector<double> ticks = recordedTicks("server-after");
    ASSERT_GE(ticks.size(), 3u) << "the tick did not come back\n" << run.err();
    EXPECT_LT(ticks.front(), 5.0) << "the tick came back late";
    for (std::size_t i = 2; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i] - ticks[i - 1], 1.0, 0.1) << "tick " << i;
    EXPECT_EQ(run.err(), "tarnwick: the sound device has gone; the tick comes back when it does\n")
        << "the attempts while the server was away are quiet";

    requestClose(display.x(), window);
    int status = 0;
    ASSERT_TRUE(run.wait(20.0, &status)) << run.err();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run.err();
}
