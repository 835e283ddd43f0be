// The packaged program as a theme of MATE's screensaver: the daemon finds it
// through its desktop entry, runs it in its window with a stripped
// environment, stops it while the unlock dialog is up and resumes it after,
// and ends it when the screensaver is deactivated.
#include <gtest/gtest.h>

#include "tests/hosts/host_support.h"
#include "tests/sound/recording.h"
#include "tests/support/clock_reading.h"
#include "tests/support/e2e.h"
#include "tests/support/test_user.h"

#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>

using namespace e2e;
using namespace hosts;

namespace {

// The daemon runs theme programs only from folders such as this one.
const char* const kProgram = "/usr/libexec/xscreensaver/tarnwick";

// A process's state letter ('R', 'S', 'T' for stopped, 'Z'), or 0 when gone.
char processState(pid_t pid)
{
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() ? 0 : stat[close + 2];
}

// mate-screensaver in a D-Bus session of its own, as the unprivileged test
// user, set to run our theme alone and to lock at once. The package's files
// are staged (installed for /usr into a folder of their own); inside a
// private mount namespace the staged program folder stands in for the
// system's, so the daemon finds the program where the entry names it, and
// nothing outside the test changes.
class MateScreensaver {
public:
    MateScreensaver(const VirtualDisplay& display, const std::string& zone) : m_display(display)
    {
        m_user = testUser();
        if (!m_user.switchUser || m_stage.path().empty() || m_home.path().empty())
            return;
        const Output staged = capture({"cmake", "--install", TARNWICK_BUILD_DIR, "--prefix", "/usr"},
                                      {{"DESTDIR", m_stage.path()}}, 60.0);
        if (staged.status != 0)
            return;
        {
            std::ofstream script(m_home.path() + "/session.sh");
            script << "gsettings set org.mate.screensaver mode single\n"
                      "gsettings set org.mate.screensaver themes \"['screensavers-tarnwick']\"\n"
                      "gsettings set org.mate.screensaver lock-enabled true\n"
                      "gsettings set org.mate.screensaver lock-delay 0\n"
                      "gsettings set org.mate.screensaver idle-activation-enabled false\n"
                      "echo \"$DBUS_SESSION_BUS_ADDRESS\" > \"$HOME/bus.part\" && mv \"$HOME/bus.part\" \"$HOME/bus\"\n"
                      "exec mate-screensaver --no-daemon --debug\n";
            // The host passes nothing of OpenAL's: the user's own settings
            // file records the sound.
            std::ofstream sound(m_home.path() + "/.alsoftrc");
            sound << "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\nfrequency = 44100\n"
                     "period_size = 64\nperiods = 2\noutput-limiter = false\ndither = false\n"
                     "[wave]\nfile = " << recording() << "\n";
        }
        for (const char* name : {"", "/session.sh", "/.alsoftrc"})
            if (chown((m_home.path() + name).c_str(), m_user.uid, m_user.gid) != 0)
                return;

        const std::vector<std::string> session = asUser(
            m_user, {"env", "-i", "HOME=" + m_home.path(), "DISPLAY=" + display.name(), "PATH=/usr/bin:/bin",
                     "XDG_DATA_DIRS=" + m_stage.path() + "/usr/share:/usr/share", "XDG_CURRENT_DESKTOP=MATE",
                     "TZ=" + zone, "NO_AT_BRIDGE=1", "dbus-run-session", "--", "sh", m_home.path() + "/session.sh"});
        std::vector<std::string> argv{"unshare", "--mount", "--propagation", "private", "sh", "-c",
                                      "mount --bind \"$1\" /usr/libexec/xscreensaver && shift && exec \"$@\"", "sh",
                                      m_stage.path() + "/usr/libexec/xscreensaver"};
        argv.insert(argv.end(), session.begin(), session.end());
        m_process = std::make_unique<Process>(argv);
        for (int i = 0; i < 300 && m_process->running() && m_bus.empty(); ++i, pause(0.05)) {
            m_bus = readFile(m_home.path() + "/bus");
            if (!m_bus.empty() && m_bus.back() == '\n')
                m_bus.pop_back();
        }
    }

    // The daemon, its bus and everything they started share one process group.
    ~MateScreensaver()
    {
        if (!m_process)
            return;
        if (!m_bus.empty())
            command("--exit", 1.0);
        if (!m_process->wait(5.0))
            ::kill(-m_process->pid(), SIGKILL);
    }

    bool started() const { return !m_bus.empty(); }
    std::string log() const { return m_process ? m_process->err() + m_process->out() : ""; }
    std::string recording() const { return m_home.path() + "/ticks.wav"; }

    // mate-screensaver-command with one request, on the daemon's bus;
    // retried while the daemon is still getting its name on the bus.
    bool command(const std::string& request, double seconds = 15.0)
    {
        for (double waited = 0; waited < seconds; waited += 0.25, pause(0.25)) {
            const Output result = capture(
                asUser(m_user, {"env", "-i", "HOME=" + m_home.path(), "DISPLAY=" + m_display.name(),
                                "DBUS_SESSION_BUS_ADDRESS=" + m_bus, "mate-screensaver-command", request}),
                {}, 15.0);
            if (result.status == 0 && result.out.find("not running") == std::string::npos)
                return true;
        }
        return false;
    }

    // The run of our program the daemon started, waited for; 0 if none.
    pid_t waitForRun(double seconds = 30.0)
    {
        for (double waited = 0; m_process && waited < seconds; waited += 0.1, pause(0.1))
            for (pid_t pid : descendants(m_process->pid()))
                if (readFile("/proc/" + std::to_string(pid) + "/cmdline").rfind(kProgram, 0) == 0 &&
                    processState(pid) != 'Z')
                    return pid;
        return 0;
    }

private:
    const VirtualDisplay& m_display;
    TestUser m_user;
    TempDir m_stage{"mate-stage"};
    TempDir m_home{"mate-home"};
    std::unique_ptr<Process> m_process;
    std::string m_bus;
};

bool waitForState(pid_t pid, bool stopped, double seconds)
{
    for (double waited = 0; waited < seconds; waited += 0.05, pause(0.05))
        if ((processState(pid) == 'T') == stopped)
            return true;
    return false;
}

// Grabs the screen until it shows the clock in another picture than first
// (a frame drawn after first was taken), for up to seconds.
ClockHands waitForNextFrame(const VirtualDisplay& display, Image* shot, double seconds)
{
    const Image first = *shot;
    ClockHands hands;
    for (double waited = 0; waited < seconds; waited += 0.1, pause(0.1)) {
        *shot = grabScreen(display);
        if (shot->rgb == first.rgb)
            continue;
        hands = readClockHands(*shot);
        if (hands.secondScore > 20)
            break;
    }
    return hands;
}

} // namespace

TEST(MateScreensaver, RunsTheThemeInItsWindowStoppedWhileTheUnlockDialogIsUpAndEndsOnDeactivation)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "the program must stand in /usr/libexec/xscreensaver, which takes a mount namespace "
                        "and so root";
    // The local time comes from the system's zone, not from TZ, which the
    // daemon does not pass on: its zone here is 13¾ hours from UTC.
    unsetenv("TZ");
    tzset();
    VirtualDisplay display{{"1920x1080x24"}};
    ASSERT_TRUE(display.ok());
    MateScreensaver daemon(display, "Pacific/Chatham");
    ASSERT_TRUE(daemon.started()) << daemon.log();
    ASSERT_TRUE(daemon.command("--activate")) << daemon.log();

    const pid_t run = daemon.waitForRun();
    ASSERT_NE(run, 0) << daemon.log();
    const std::map<std::string, std::string> env = environmentOf(run);
    EXPECT_EQ(env.count("TZ"), 0u);
    EXPECT_EQ(env.count("XDG_DATA_DIRS"), 0u) << "the host passes a short list of variables";
    EXPECT_EQ(env.count("XSCREENSAVER_WINDOW"), 1u);

    Image shot;
    ClockHands hands = waitForHands(display, &shot, 60.0);
    shot.savePng(artefactPath("mate-clock.png"));
    ASSERT_GT(hands.secondScore, 20) << "the clock is drawn in the daemon's window\n" << daemon.log();
    expectHandsAtTheTimeNow(hands);

    // A moving pointer brings up the unlock dialog; the run is stopped
    // while it is up, long enough that a stale picture would show it.
    movePointer(display, 100, 100);
    movePointer(display, 400, 300);
    ASSERT_TRUE(waitForState(run, true, 10.0)) << "stopped while the dialog is up\n" << daemon.log();
    pause(8.0);
    grabScreen(display).savePng(artefactPath("mate-unlock-dialog.png"));
    EXPECT_EQ(processState(run), 'T');

    // Cancelling the dialog shows the clock again and resumes the run: the
    // hands are right at the first frames, not 8 s behind.
    pressKey(display, "Escape");
    ASSERT_TRUE(waitForState(run, false, 10.0)) << daemon.log();
    hands = waitForHands(display, &shot, 5.0);
    ASSERT_GT(hands.secondScore, 20) << "the clock is drawn again after the dialog\n" << daemon.log();
    // The first picture may be the frame that was being drawn when the run
    // was stopped; the one after it was drawn after the resume.
    hands = waitForNextFrame(display, &shot, 5.0);
    shot.savePng(artefactPath("mate-clock-resumed.png"));
    ASSERT_GT(hands.secondScore, 20) << "the next frame shows the clock too\n" << daemon.log();
    expectHandsAtTheTimeNow(hands);
    pause(3.0);

    ASSERT_TRUE(daemon.command("--deactivate"));
    bool ended = false;
    for (int i = 0; i < 100 && !ended; ++i, pause(0.1))
        ended = processState(run) == 0 || processState(run) == 'Z';
    EXPECT_TRUE(ended) << "deactivating ends the run\n" << daemon.log();

    // The ticks: none while the run was stopped, and no burst of the missed
    // ones after it resumed. Every stretch of sound is one tick (0.1 s);
    // each comes at the first frame of its second, so on slow frames they
    // are not evenly spaced, but never closer than a few tenths, and after
    // the stop no more come than seconds pass.
    Recording recording;
    std::string error;
    ASSERT_TRUE(readRecording(daemon.recording(), &recording, &error)) << error;
    std::vector<std::pair<double, double>> sounds;  // first and last loud sample, in seconds
    for (std::size_t i = 0; i < recording.samples.size(); ++i) {
        if (std::abs(recording.samples[i]) < 64)
            continue;
        const double t = i / 44100.0;
        if (sounds.empty() || t - sounds.back().second > 0.1)
            sounds.emplace_back(t, t);
        else
            sounds.back().second = t;
    }
    std::string starts;
    for (const auto& sound : sounds)
        starts += " " + std::to_string(sound.first);
    SCOPED_TRACE("ticks at" + starts + " s of " + std::to_string(recording.samples.size() / 44100.0) + " s");
    std::size_t resumed = 0;  // the first tick after the stop
    for (std::size_t k = 0; k < sounds.size(); ++k) {
        EXPECT_LT(sounds[k].second - sounds[k].first, 0.12) << "tick " << k << " is one tick";
        if (k > 0) {
            EXPECT_GT(sounds[k].first - sounds[k - 1].first, 0.3) << "tick " << k << " comes alone";
            if (sounds[k].first - sounds[k - 1].first > 7.0)
                resumed = k;
        }
    }
    ASSERT_GT(resumed, 0u) << "no tick while the run was stopped";
    const double afterStop = recording.samples.size() / 44100.0 - sounds[resumed].first;
    EXPECT_LE(static_cast<double>(sounds.size() - resumed), afterStop + 1.5) << "no burst after the stop";
    EXPECT_GE(sounds.size() - resumed, 2u) << "the ticks go on after the stop";
}
