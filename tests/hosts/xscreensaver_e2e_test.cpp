// The installed program as a display mode of xscreensaver 6: the daemon,
// configured with our one line, blanks virtual screens, runs us in the
// windows it makes, and ends us when it cycles or unblanks.
#include <gtest/gtest.h>

#include "tests/hosts/host_support.h"
#include "tests/support/e2e.h"
#include "tests/support/test_user.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

using namespace e2e;
using namespace hosts;

namespace {

// xscreensaver with a home of its own whose settings select our display mode
// alone, never lock, fade or show a splash, and our installation first on
// its PATH.
class Daemon {
public:
    explicit Daemon(const VirtualDisplay& display) : m_display(display)
    {
        // xscreensaver launches no display modes for root.
        m_user = testUser();
        if (m_user.uid == 0 || m_prefix.path().empty() || m_home.path().empty())
            return;
        if (!installInto(m_prefix.path()))
            return;
        m_program = m_prefix.path() + "/libexec/xscreensaver/tarnwick";
        std::ofstream settings(m_home.path() + "/.xscreensaver");
        settings << "mode:\t\tone\n"
                    "selected:\t0\n"
                    "lock:\t\tFalse\n"
                    "fade:\t\tFalse\n"
                    "unfade:\t\tFalse\n"
                    "splash:\t\tFalse\n"
                    "timeout:\t1:00:00\n"
                    "dpmsEnabled:\tFalse\n"
                    "programs:\tGL: \"Tarnwick\" tarnwick --root \\n\n";
        settings.close();
        if (chown(m_home.path().c_str(), m_user.uid, m_user.gid) != 0 ||
            chown((m_home.path() + "/.xscreensaver").c_str(), m_user.uid, m_user.gid) != 0)
            return;
        m_log = m_home.path() + "/xscreensaver.log";

        std::vector<std::string> argv;
        if (m_user.switchUser)
            argv = {"runuser", "-u", m_user.name, "--"};
        const std::vector<std::string> command{
            "env", "-i", "HOME=" + m_home.path(), "DISPLAY=" + display.name(),
            "PATH=" + m_prefix.path() + "/libexec/xscreensaver:/usr/bin:/bin", "TARNWICK_NO_DIALOGS=1",
            "ALSOFT_DRIVERS=null", "xscreensaver", "-no-splash", "-verbose", "-log", m_log};
        argv.insert(argv.end(), command.begin(), command.end());
        m_process = std::make_unique<Process>(argv);
    }

    // Ends the daemon and everything it started, each by its own id.
    ~Daemon()
    {
        if (!m_process)
            return;
        const std::vector<pid_t> started = descendants(m_process->pid());
        for (pid_t pid : started)
            ::kill(pid, SIGTERM);
        m_process->signal(SIGTERM);
        m_process->wait(3.0);
        for (pid_t pid : started)
            ::kill(pid, SIGKILL);
    }

    bool started() const { return m_process != nullptr; }
    uid_t uid() const { return m_user.uid; }
    const std::string& program() const { return m_program; }
    std::string log() const { return readFile(m_log); }
    std::string processOutput() const { return m_process ? m_process->err() + m_process->out() : ""; }

    // xscreensaver-command with one request; retried while the daemon starts.
    bool command(const std::string& request, double seconds = 15.0)
    {
        for (double waited = 0; waited < seconds; waited += 0.25) {
            if (capture({"xscreensaver-command", request}, {{"DISPLAY", m_display.name()}}, 10.0).status == 0)
                return true;
            pause(0.25);
        }
        return false;
    }

    // Our running processes, found by the program they run.
    std::vector<pid_t> ourProcesses()
    {
        std::vector<pid_t> ours;
        if (!m_process)
            return ours;
        for (pid_t pid : descendants(m_process->pid())) {
            char target[4096];
            const ssize_t n = readlink(("/proc/" + std::to_string(pid) + "/exe").c_str(), target, sizeof target - 1);
            const std::string state = readFile("/proc/" + std::to_string(pid) + "/stat");
            const bool zombie = state.find(") Z") != std::string::npos;
            if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == m_program && !zombie)
                ours.push_back(pid);
        }
        std::sort(ours.begin(), ours.end());
        return ours;
    }

    std::vector<pid_t> waitForProcesses(std::size_t count, double seconds = 30.0)
    {
        std::vector<pid_t> ours = ourProcesses();
        for (double waited = 0; ours.size() != count && waited < seconds; waited += 0.1) {
            pause(0.1);
            ours = ourProcesses();
        }
        return ours;
    }

    bool waitForLog(const std::string& line, double seconds = 15.0)
    {
        for (double waited = 0; waited < seconds; waited += 0.1) {
            if (log().find(line) != std::string::npos)
                return true;
            pause(0.1);
        }
        return false;
    }

    // The window the daemon says it started pid on, from its own log line.
    unsigned long loggedWindow(pid_t pid)
    {
        const std::string marker = " in pid " + std::to_string(pid) + " on window ";
        const std::string text = log();
        const auto at = text.find(marker);
        if (at == std::string::npos)
            return 0;
        return std::strtoul(text.c_str() + at + marker.size(), nullptr, 16);
    }

    // Log lines about our display mode that tell of a failure.
    std::vector<std::string> failuresInLog()
    {
        std::vector<std::string> bad;
        std::istringstream lines(log());
        std::string line;
        while (std::getline(lines, line)) {
            if (line.find("(tarnwick)") == std::string::npos)
                continue;
            for (const char* word : {"crashed", "abnormally", "unexpectedly"})
                if (line.find(word) != std::string::npos)
                    bad.push_back(line);
        }
        return bad;
    }

private:
    const VirtualDisplay& m_display;
    TestUser m_user;
    TempDir m_prefix{"xss-prefix"};
    TempDir m_home{"xss-home"};
    std::string m_program;
    std::string m_log;
    std::unique_ptr<Process> m_process;
};

unsigned long windowOf(pid_t pid)
{
    const auto env = environmentOf(pid);
    const auto it = env.find("XSCREENSAVER_WINDOW");
    return it == env.end() ? 0 : std::strtoul(it->second.c_str(), nullptr, 16);
}

TEST(XScreenSaver, RunsUsInTheWindowItNamesAndEndsUsNormally)
{
    VirtualDisplay display({"1280x720x24"});
    ASSERT_TRUE(display.ok());
    Daemon daemon(display);
    ASSERT_TRUE(daemon.started());
    ASSERT_TRUE(daemon.command("-activate")) << daemon.processOutput() << daemon.log();

    const std::vector<pid_t> first = daemon.waitForProcesses(1);
    ASSERT_EQ(first.size(), 1u) << daemon.log();
    const pid_t pid = first[0];
    struct stat info{};
    ASSERT_EQ(stat(("/proc/" + std::to_string(pid)).c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, daemon.uid());

    // The window in our environment is the one the daemon made for us and
    // logged, and our drawing fills it.
    const Window window = windowOf(pid);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(daemon.loggedWindow(pid), window) << daemon.log();
    Display* x = display.x();
    XWindowAttributes attributes{};
    ASSERT_TRUE(windowAttributes(x, window, &attributes));
    EXPECT_EQ(attributes.width, 1280);
    EXPECT_EQ(attributes.height, 720);
    const Image shot = waitForPicture(x, window);
    shot.savePng(artefactPath("xscreensaver-one-screen.png"));
    EXPECT_GT(litFraction(shot), 0.5) << "the clock shows in the daemon's window";
    EXPECT_FALSE(children(x, window).empty()) << "our drawing surface sits in the daemon's window";

    // Cycling ends the run with SIGTERM while the daemon keeps going, so it
    // reaps us and says how we ended; then it starts a fresh run.
    ASSERT_TRUE(daemon.command("-cycle"));
    EXPECT_TRUE(daemon.waitForLog("child pid " + std::to_string(pid) + " (tarnwick) exited normally with SIGTERM"))
        << daemon.log();
    const std::vector<pid_t> second = daemon.waitForProcesses(1);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(second[0], pid);

    // Unblanking ends the fresh run too, and promptly.
    ASSERT_TRUE(daemon.command("-deactivate"));
    EXPECT_TRUE(daemon.waitForLog("killing pid " + std::to_string(second[0]) + " (tarnwick)")) << daemon.log();
    EXPECT_TRUE(daemon.waitForProcesses(0, 5.0).empty()) << "the run outlived the daemon's SIGTERM";
    EXPECT_TRUE(daemon.failuresInLog().empty()) << daemon.log();
}

TEST(XScreenSaver, TwoScreensGetARunEachInTheirOwnWindow)
{
    VirtualDisplay display({"1024x768x24", "800x600x24"});
    ASSERT_TRUE(display.ok());
    Daemon daemon(display);
    ASSERT_TRUE(daemon.started());
    ASSERT_TRUE(daemon.command("-activate")) << daemon.processOutput() << daemon.log();

    const std::vector<pid_t> runs = daemon.waitForProcesses(2);
    ASSERT_EQ(runs.size(), 2u) << daemon.log();
    std::map<std::string, Window> windowByScreen;
    for (pid_t pid : runs)
        windowByScreen[environmentOf(pid)["DISPLAY"]] = windowOf(pid);
    ASSERT_EQ(windowByScreen.size(), 2u);
    const Window first = windowByScreen[display.name() + ".0"];
    const Window second = windowByScreen[display.name() + ".1"];
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, second);

    Display* x = display.x();
    const std::pair<Window, int> expected[] = {{first, 1024}, {second, 800}};
    for (const auto& [window, width] : expected) {
        XWindowAttributes attributes{};
        ASSERT_TRUE(windowAttributes(x, window, &attributes)) << hexWindowId(window);
        EXPECT_EQ(attributes.width, width) << hexWindowId(window);
        const Image shot = waitForPicture(x, window);
        shot.savePng(artefactPath("xscreensaver-screen-" + std::to_string(width) + ".png"));
        EXPECT_GT(litFraction(shot), 0.5) << hexWindowId(window);
    }

    ASSERT_TRUE(daemon.command("-deactivate"));
    EXPECT_TRUE(daemon.waitForProcesses(0, 5.0).empty());
    EXPECT_TRUE(daemon.failuresInLog().empty()) << daemon.log();
}

} // namespace
