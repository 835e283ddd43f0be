// The real program on a display that does not pace its swaps, and on one that
// powers down (a stand-in for the DPMS extension, which no virtual X server
// here has, reports the level written in a file).
// GoogleTest comes before Xlib, whose macros (None, Bool, …) would clash.
#include <gtest/gtest.h>

#include "tests/sound/recording.h"
#include "tests/support/clock_reading.h"
#include "tests/support/e2e.h"
#include "tests/support/frame_count.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace e2e;

namespace {

// Waits until no frame has been shown for quiet seconds (a frame drawn when
// the display went off may still be under way), for up to seconds; true
// when the frames stopped.
bool framesStop(const std::string& countFile, double quiet, double seconds)
{
    unsigned long last = framesShown(countFile);
    double still = 0.0;
    for (double waited = 0; waited < seconds; waited += 0.1) {
        pause(0.1);
        const unsigned long now = framesShown(countFile);
        still = now == last ? still + 0.1 : 0.0;
        last = now;
        if (still >= quiet)
            return true;
    }
    return false;
}

// Whether the process has path open.
bool holdsFile(pid_t pid, const std::string& path)
{
    const std::string folder = "/proc/" + std::to_string(pid) + "/fd";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(entry.path(), linkError) == path)
            return true;
    }
    return false;
}

void setLevel(const std::string& file, const std::string& level) { std::ofstream(file) << level << "\n"; }

} // namespace

TEST(FramePacing, ADisplayThatDoesNotPaceTheSwapsGetsAtMostItsRefreshRateInEveryMode)
{
    // Xvfb paces nothing and reports no refresh rate (60 Hz is assumed); the
    // no-op driver makes each frame nearly free, so only the pacing holds it.
    VirtualDisplay display{{"640x480x24"}};
    ASSERT_TRUE(display.ok());
    Display* x = display.x();
    const Window host = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 320, 180, 0, 0, 0);
    XMapWindow(x, host);
    XSync(x, False);
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::map<std::string, std::string> env;
    };
    const Case cases[] = {
        {"full screen", {"/s"}, {}},
        {"preview", {"/p", std::to_string(host)}, {}},
        {"a daemon's run", {"--root"}, {{"XSCREENSAVER_WINDOW", hexWindowId(host)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string countFile = newFrameCountFile();
        auto env = withFrameCounter(quietEnv(display), countFile);
        env["GALLIUM_NOOP"] = "1";
        env.insert(c.env.begin(), c.env.end());
        std::vector<std::string> argv{binaryPath()};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        Process run(argv, env);
        ASSERT_GE(waitForFrames(countFile, 5, run, 30.0), 5u) << run.err();
        pause(1.0);
        const unsigned long frames = framesShown(countFile);
        const double cpu = cpuSeconds(run.pid());
        const auto start = std::chrono::steady_clock::now();
        pause(4.0);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double rate = static_cast<double>(framesShown(countFile) - frames) / seconds;
        const double load = (cpuSeconds(run.pid()) - cpu) / seconds;
        std::printf("%s: %.1f frames a second, %.1f%% of a core\n", c.name, rate, 100.0 * load);
        EXPECT_LE(rate, 62.0) << "faster than the display refreshes";
        EXPECT_GE(rate, 30.0) << "the frames are held back too long";
        // Unpaced, the same run took 55-65% of a core for some 10,000 frames a second.
        EXPECT_LT(load, 0.15);
        ASSERT_TRUE(run.running()) << run.err();
        std::remove(countFile.c_str());
    }
}

TEST(DisplayRest, WhileTheDisplayIsOffNothingIsDrawnNothingTicksAndNoSoundStreamIsOpen)
{
    VirtualDisplay display{{"1920x1080x24"}};
    ASSERT_TRUE(display.ok());
    const std::string levelFile = artefactPath("dpms-level");
    setLevel(levelFile, "on");
    const std::string countFile = newFrameCountFile();
    auto env = withFrameCounter(recordingEnv(display, "rest-tick"), countFile);
    env["LD_PRELOAD"] += std::string(":") + TARNWICK_DPMS_STAND_IN;
    env["TARNWICK_DPMS_LEVEL_FILE"] = levelFile;
    const std::string recording = artefactPath("rest-tick.wav");
    Process run({binaryPath(), "/s"}, env);
    ASSERT_GE(waitForFrames(countFile, 3, run, 60.0), 3u) << run.err();
    for (double waited = 0; waited < 20.0 && recordedTicks("rest-tick").size() < 2; waited += 0.2)
        pause(0.2);
    ASSERT_GE(recordedTicks("rest-tick").size(), 2u) << "the run ticks before the display goes off\n" << run.err();

    // Standby and suspend leave the screen as dark as off.
    for (const char* level : {"standby", "suspend", "off"}) {
        SCOPED_TRACE(level);
        setLevel(levelFile, level);
        ASSERT_TRUE(framesStop(countFile, 2.0, 20.0)) << "frames go on with the display " << level;
        EXPECT_FALSE(holdsFile(run.pid(), recording)) << "the sound device is still open";
    }
    // Off for a while: a handful of frames at most, next to no CPU, no tick.
    const unsigned long frames = framesShown(countFile);
    const double cpu = cpuSeconds(run.pid());
    pause(8.0);
    EXPECT_LE(framesShown(countFile) - frames, 3u);
    const double load = (cpuSeconds(run.pid()) - cpu) / 8.0;
    std::printf("resting: %.2f%% of a core\n", 100.0 * load);
    EXPECT_LT(load, 0.05);
    EXPECT_FALSE(holdsFile(run.pid(), recording)) << "the sound device is still open";

    // On again: frames and ticks come back, the hands at the time now.
    setLevel(levelFile, "on");
    const unsigned long before = framesShown(countFile);
    const auto on = std::chrono::steady_clock::now();
    ASSERT_GT(waitForFrames(countFile, before + 1, run, 10.0), before) << run.err();
    const double firstFrame = std::chrono::duration<double>(std::chrono::steady_clock::now() - on).count();
    std::printf("first frame %.2f s after the display came on\n", firstFrame);
    // Looked at four times a second; a software-rendered 1920x1080 frame
    // takes a second or so on a loaded machine.
    EXPECT_LT(firstFrame, 3.0);
    ASSERT_GT(waitForFrames(countFile, before + 2, run, 10.0), before + 1) << run.err();
    Image shot;
    const ClockHands hands = waitForHands(display, &shot, 10.0);
    shot.savePng(artefactPath("rest-woken.png"));
    ASSERT_GT(hands.secondScore, 20) << "the clock is drawn again";
    // Every frame drawn since the display came on shows a time after that
    // (the frames before the rest are ten seconds older at least).
    expectHandsAtTheTimeNow(hands, std::chrono::duration<double>(std::chrono::steady_clock::now() - on).count() + 1.0);
    for (double waited = 0; waited < 6.0 && recordedTicks("rest-tick").size() < 2; waited += 0.2)
        pause(0.2);
    EXPECT_GE(recordedTicks("rest-tick").size(), 2u) << "the tick is back within a few seconds";

    // A key ends a resting run as any other.
    setLevel(levelFile, "off");
    ASSERT_TRUE(framesStop(countFile, 1.0, 20.0));
    pressKey(display, "a");
    int status = 0;
    ASSERT_TRUE(run.wait(5.0, &status)) << "a key did not end the resting run";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << run.err();
    EXPECT_EQ(run.err(), "");
    std::remove(countFile.c_str());
}
