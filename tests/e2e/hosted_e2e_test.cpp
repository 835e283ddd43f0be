// Runs started the way a screensaver daemon starts its hacks.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/frame_count.h"

#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

using namespace e2e;

namespace {

Window makeHostWindow(Display* x, int width, int height)
{
    const Window w = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, width, height, 0, 0, 0);
    XStoreName(x, w, "Daemon window");
    XMapWindow(x, w);
    XSync(x, False);
    return w;
}

bool waitForChild(Display* x, Window host, double seconds)
{
    for (int i = 0; i < seconds * 20; ++i) {
        if (!children(x, host).empty())
            return true;
        pause(0.05);
    }
    return false;
}

// Milliseconds from the signal to the process's end; the process must end by
// that signal (its default action), as a daemon expects.
double endBySignal(Process& run, int signalNumber)
{
    const auto start = std::chrono::steady_clock::now();
    run.signal(signalNumber);
    int status = 0;
    if (!run.wait(2.0, &status))
        return 1e9;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << "status " << status;
    return ms;
}

class HostedE2E : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.ok()); }
    // A small screen keeps software-rendered frames short, so the timed
    // answers (a key press, a vanished host) measure the program, not llvmpipe.
    VirtualDisplay display{{"800x600x24"}};
};

TEST_F(HostedE2E, DrawsInTheWindowNamedInHexOrDecimalAndIgnoresInput)
{
    Display* x = display.x();
    struct Case {
        const char* name;
        std::vector<std::string> switches;
        bool decimal;
    };
    // A screen locker may run the program itself, with no switch at all.
    for (const Case& c : {Case{"hosted-hex", {"-root"}, false}, Case{"hosted-decimal", {"-root"}, true},
                          Case{"hosted-by-a-locker", {}, false}}) {
        SCOPED_TRACE(c.name);
        const Window host = makeHostWindow(x, 320, 180);
        auto env = quietEnv(display);
        env["XSCREENSAVER_WINDOW"] = c.decimal ? std::to_string(host) : hexWindowId(host);
        std::vector<std::string> argv{binaryPath()};
        argv.insert(argv.end(), c.switches.begin(), c.switches.end());
        Process run(argv, env);
        ASSERT_TRUE(waitForChild(x, host, 10.0)) << run.err();
        pause(0.5);
        const Image shot = waitForPicture(x, host);
        shot.savePng(artefactPath(std::string(c.name) + ".png"));
        EXPECT_GT(litFraction(shot), 0.5) << "the daemon's window shows the picture";

        // The daemon owns input: keys and clicks do not end the run.
        pressKey(display, "a");
        click(display, 100, 100);
        pause(0.5);
        EXPECT_TRUE(run.running()) << "a hosted run leaves only when the daemon says so";

        EXPECT_LT(endBySignal(run, SIGTERM), 100.0);
        XWindowAttributes a{};
        EXPECT_TRUE(windowAttributes(x, host, &a)) << "the daemon's window is left alone";
        XDestroyWindow(x, host);
    }
}

TEST_F(HostedE2E, WindowIdOptionWinsOverTheVariable)
{
    Display* x = display.x();
    const Window named = makeHostWindow(x, 300, 200);
    const Window preview = makeHostWindow(x, 200, 150);
    auto env = quietEnv(display);
    env["XSCREENSAVER_WINDOW"] = hexWindowId(named);
    Process run({binaryPath(), "--root", "--window-id", hexWindowId(preview)}, env);
    ASSERT_TRUE(waitForChild(x, preview, 10.0)) << run.err();
    EXPECT_TRUE(children(x, named).empty());
    EXPECT_LT(endBySignal(run, SIGUSR1), 100.0);
}

TEST_F(HostedE2E, RootAloneDrawsOnTheRootWindow)
{
    Display* x = display.x();
    Process run({binaryPath(), "-root"}, quietEnv(display));
    const Window drawn = findWindow(x, "Tarnwick", 10.0);
    ASSERT_NE(drawn, 0u) << run.err();
    // The window exists a moment before it is made override-redirect and shown.
    const Image shot = waitForPicture(x, drawn);
    // Our drawing surface covers the root window exactly and is no managed
    // top-level window.
    XWindowAttributes a{};
    ASSERT_TRUE(windowAttributes(x, drawn, &a));
    EXPECT_EQ(a.width, 800);
    EXPECT_EQ(a.height, 600);
    EXPECT_EQ(a.x, 0);
    EXPECT_EQ(a.y, 0);
    EXPECT_TRUE(a.override_redirect);
    EXPECT_EQ(a.map_state, IsViewable);
    shot.savePng(artefactPath("hosted-root.png"));
    EXPECT_GT(litFraction(shot), 0.5);
    EXPECT_LT(endBySignal(run, SIGTERM), 100.0);
}

TEST_F(HostedE2E, SigtermDuringStartUpEndsAtOnce)
{
    Display* x = display.x();
    for (double delay : {0.0, 0.05, 0.2}) {
        const Window host = makeHostWindow(x, 320, 200);
        auto env = quietEnv(display);
        env["XSCREENSAVER_WINDOW"] = hexWindowId(host);
        Process run({binaryPath(), "-root"}, env);
        pause(delay);
        EXPECT_LT(endBySignal(run, SIGTERM), 100.0) << "after " << delay << " s";
        XDestroyWindow(x, host);
    }
}

TEST_F(HostedE2E, HostedRunsDoNotTakeTheSingleInstanceName)
{
    Display* x = display.x();
    const Window a = makeHostWindow(x, 200, 100);
    const Window b = makeHostWindow(x, 200, 100);
    auto envA = quietEnv(display);
    envA["XSCREENSAVER_WINDOW"] = hexWindowId(a);
    auto envB = quietEnv(display);
    envB["XSCREENSAVER_WINDOW"] = hexWindowId(b);
    Process first({binaryPath(), "-root"}, envA);
    Process second({binaryPath(), "-root"}, envB);
    EXPECT_TRUE(waitForChild(x, a, 10.0));
    EXPECT_TRUE(waitForChild(x, b, 10.0));
    // And a switch-less run beside them still starts.
    Process plain({binaryPath()}, quietEnv(display));
    pause(1.0);
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(second.running());
    EXPECT_TRUE(plain.running());
}

TEST_F(HostedE2E, AFrameRateLimitSleepsTheRestOfEachFrame)
{
    // The no-op driver and a display that does not pace the swaps, reporting
    // a refresh of 1000 Hz: uncapped, a run draws as fast as that or a core
    // lets it.
    Display* x = display.x();
    struct Sample {
        double frames;
        double cpu;
    };
    auto measure = [&](std::vector<std::string> settings) {
        const Window host = makeHostWindow(x, 320, 180);
        const std::string countFile = newFrameCountFile();
        auto env = withFrameCounter(quietEnv(display), countFile);
        env["GALLIUM_NOOP"] = "1";
        env["TARNWICK_FRAME_DISPLAY_HZ"] = "1000";
        env["XSCREENSAVER_WINDOW"] = hexWindowId(host);
        std::vector<std::string> argv{binaryPath(), "--root"};
        argv.insert(argv.end(), settings.begin(), settings.end());
        Process run(argv, env);
        waitForFrames(countFile, 5, run, 30.0);
        pause(1.0);
        const unsigned long frames = framesShown(countFile);
        const double cpu = cpuSeconds(run.pid());
        pause(3.0);
        const Sample sample{(framesShown(countFile) - frames) / 3.0, (cpuSeconds(run.pid()) - cpu) / 3.0};
        EXPECT_TRUE(run.running()) << run.err();
        EXPECT_EQ(run.err().find("tarnwick:"), std::string::npos) << "the setting is understood: " << run.err();
        std::remove(countFile.c_str());
        XDestroyWindow(x, host);
        return sample;
    };
    const Sample uncapped = measure({});
    const Sample capped = measure({"--max-fps", "20"});
    std::printf("uncapped: %.0f frames/s, %.2f CPU; capped at 20: %.1f frames/s, %.2f CPU\n", uncapped.frames,
                uncapped.cpu, capped.frames, capped.cpu);
    EXPECT_GT(uncapped.frames, 40.0) << "the display does not pace the frames";
    EXPECT_LE(capped.frames, 21.0);
    EXPECT_GE(capped.frames, 15.0);
    EXPECT_LT(capped.cpu, uncapped.cpu / 2.0) << "the limit saves the CPU the frames would burn";
}

} // namespace
