// Monitors in a Wayland session: a headless sway with two outputs side by
// side runs the program through XWayland; "/s" shows the clock on both, each
// at its own size, wherever sway puts the full-screen window, also on an
// output added during the run, and a key typed in the session ends the run.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/support/e2e.h"
#include "tests/support/sway_session.h"

#include <sys/wait.h>

#include <string>
#include <vector>

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

// Waits until every one of outputs shows the clock; gives the last screenshots.
std::vector<Image> waitForClocks(SwaySession& session, Process& run, const std::vector<std::string>& outputs)
{
    std::vector<Image> shots(outputs.size());
    for (int i = 0; i < 80 && run.running(); ++i, pause(0.5)) {
        bool all = true;
        for (std::size_t o = 0; o < outputs.size(); ++o) {
            shots[o] = session.screenshot(outputs[o]);
            all = all && showsBrass(shots[o]);
        }
        if (all)
            break;
    }
    return shots;
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

TEST(WaylandMonitors, EveryOutputShowsOneClockWhereverTheFullScreenWindowGoesAndOnANewOutput)
{
    SwaySession session(2, 1024, 640);
    ASSERT_TRUE(session.ok()) << session.log();
    // sway puts a full-screen window on the focused output, not on the one
    // the program asks for.
    ASSERT_TRUE(session.swaymsg({"focus", "output", "HEADLESS-2"}));
    Process run(session.command({session.program(), "/s"}, {{"ALSOFT_DRIVERS", "null"}, {"TARNWICK_NO_DIALOGS", "1"}}));

    const struct {
        const char* name;
        std::vector<std::string> swaymsg;  // the change before the look
        std::vector<std::string> outputs;  // every output there is afterwards
    } steps[] = {
        {"focus-on-second", {}, {"HEADLESS-1", "HEADLESS-2"}},
        {"output-added", {"create_output"}, {"HEADLESS-1", "HEADLESS-2", "HEADLESS-3"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (!step.swaymsg.empty()) {
            ASSERT_TRUE(session.swaymsg(step.swaymsg)) << session.log();
        }
        const std::vector<Image> shots = waitForClocks(session, run, step.outputs);
        ASSERT_TRUE(run.running()) << run.err();
        for (std::size_t o = 0; o < shots.size(); ++o) {
            SCOPED_TRACE(step.outputs[o]);
            shots[o].savePng(artefactPath(std::string("wayland-") + step.name + "-" + step.outputs[o] + ".png"));
            expectClockPicture(shots[o]);
            expectInsetFrameLines(shots[o]);
        }
    }
}
