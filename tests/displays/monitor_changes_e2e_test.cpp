// Monitors that come, go and change while "/s" runs, on a real X server whose
// outputs are switched with xrandr: every monitor shows the whole picture at
// its own size, insets included, after every change, and the run goes on.
// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/support/dummy_xorg.h"
#include "tests/support/e2e.h"

#include <sys/wait.h>

#include <chrono>
#include <string>
#include <vector>

using namespace e2e;

namespace {

struct Area {
    int x, y, width, height;
};

// The whole clock picture, insets and all, over every monitor of shot.
void expectEveryMonitorCovered(const Image& shot, const std::vector<Area>& monitors)
{
    for (const Area& m : monitors)
        expectWholePictureAt(shot, m.x, m.y, m.width, m.height);
}

struct Step {
    const char* name;
    std::vector<std::vector<std::string>> xrandr;
    std::vector<Area> monitors;  // what the screen shows afterwards
};

} // namespace

TEST(MonitorChanges, EveryMonitorShowsTheWholeClockAsMonitorsComeGoAndChange)
{
    const std::string unavailable = DummyXorg::unavailableBecause();
    if (!unavailable.empty())
        GTEST_SKIP() << unavailable;
    DummyXorg xorg;
    ASSERT_TRUE(xorg.ok()) << xorg.log();
    Process run({binaryPath(), "/s"}, quietEnv(xorg.display()));

    const Step steps[] = {
        {"one-monitor", {}, {{0, 0, 1280, 720}}},
        {"monitor-added",
         {{"--addmode", "DUMMY1", "1280x720"}, {"--output", "DUMMY1", "--mode", "1280x720", "--right-of", "DUMMY0"}},
         {{0, 0, 1280, 720}, {1280, 0, 1280, 720}}},
        {"smaller-mode", {{"--output", "DUMMY0", "--mode", "640x360"}}, {{0, 0, 640, 360}, {1280, 0, 1280, 720}}},
        {"monitor-gone", {{"--output", "DUMMY1", "--off"}}, {{0, 0, 640, 360}}},
        {"primary-gone",
         {{"--output", "DUMMY0", "--mode", "1280x720"},
          {"--output", "DUMMY1", "--mode", "1280x720", "--right-of", "DUMMY0"},
          {"--output", "DUMMY0", "--off"}},
         // xrandr moves what is left to the screen's origin.
         {{0, 0, 1280, 720}}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        for (const auto& arguments : step.xrandr)
            ASSERT_TRUE(xorg.xrandr(arguments)) << step.name;
        // The windows follow within half a second; software rendering of
        // the first frames at a new size takes the rest.
        const auto changed = std::chrono::steady_clock::now();
        Image shot;
        for (int i = 0; i < 40 && run.running(); ++i, pause(0.25)) {
            shot = grabScreen(xorg.display());
            if (checkPasses([&] { expectEveryMonitorCovered(shot, step.monitors); }))
                break;
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - changed).count();
        ::testing::Test::RecordProperty(std::string(step.name) + "-seconds", std::to_string(seconds));
        shot.savePng(artefactPath(std::string("displays-") + step.name + ".png"));
        ASSERT_TRUE(run.running()) << "the run ended\n" << run.err();
        SCOPED_TRACE(run.err());
        expectEveryMonitorCovered(shot, step.monitors);
    }

    // The run is still a screensaver: a key on the monitor left ends it.
    movePointer(xorg.display(), 640, 360);
    pressKey(xorg.display(), "a");
    int status = -1;
    ASSERT_TRUE(run.wait(10.0, &status)) << "a key did not end the run\n" << run.err();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
