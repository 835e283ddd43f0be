// Two monitors in a Wayland session: a headless sway with two outputs side
// by side runs the program through XWayland; "/s" shows the clock on both,
// each at its own size, and a key typed in the session ends the run.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/support/e2e.h"
#include "tests/support/sway_session.h"

#include <sys/wait.h>

using namespace e2e;

namespace {

// The brass clock stands in the middle of every frame; the session's own
// background is a flat grey.
bool showsBrass(const Image& shot)
{
    if (shot.empty())
        return false;
    const std::uint8_t* middle = shot.at(shot.width / 2, shot.height / 3);
    return middle[0] > middle[2] + 30;
}

} // namespace

TEST(WaylandMonitors, FullScreenRunShowsTheClockOnBothOutputsAndEndsOnAKey)
{
    constexpr int kWidth = 1024;
    constexpr int kHeight = 640;
    SwaySession session(2, kWidth, kHeight);
    ASSERT_TRUE(session.ok()) << session.log();
    Process run(session.command({session.program(), "/s"}, {{"ALSOFT_DRIVERS", "null"}, {"TARNWICK_NO_DIALOGS", "1"}}));

    // The first frames come after start-up; software rendering is slow.
    Image shots[2];
    for (int i = 0; i < 80 && run.running(); ++i, pause(0.5)) {
        shots[0] = session.screenshot("HEADLESS-1");
        shots[1] = session.screenshot("HEADLESS-2");
        if (showsBrass(shots[0]) && showsBrass(shots[1]))
            break;
    }
    for (int output = 0; output < 2; ++output) {
        SCOPED_TRACE(output == 0 ? "first output" : "second output");
        shots[output].savePng(artefactPath("wayland-output-" + std::to_string(output + 1) + ".png"));
        ASSERT_EQ(shots[output].width, kWidth) << run.err() << session.log();
        ASSERT_EQ(shots[output].height, kHeight);
        expectClockPicture(shots[output]);
    }

    ASSERT_TRUE(run.running()) << run.err();
    EXPECT_TRUE(session.pressKey("a"));
    int status = -1;
    ASSERT_TRUE(run.wait(10.0, &status)) << "a key ends the run\n" << run.err();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << run.err();
}
