// The program in a Wayland session: sway runs it through XWayland, as
// swayidle would start it, full screen on the output; a key typed in the
// session ends the run.
#include <gtest/gtest.h>

#include "tests/support/e2e.h"
#include "tests/support/sway_session.h"

#include <sys/wait.h>

using namespace e2e;

namespace {

// The share of pixels that differ from those of before.
double changedFraction(const Image& before, const Image& after)
{
    if (before.rgb.size() != after.rgb.size() || after.empty())
        return 0.0;
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.rgb.size(); i += 3)
        changed += before.rgb[i] != after.rgb[i] || before.rgb[i + 1] != after.rgb[i + 1] ||
                   before.rgb[i + 2] != after.rgb[i + 2];
    return static_cast<double>(changed) / static_cast<double>(after.rgb.size() / 3);
}

} // namespace

TEST(Wayland, ScreensaverRunFillsTheOutputAndEndsOnAKey)
{
    SwaySession session;
    ASSERT_TRUE(session.ok()) << session.log();
    const Image desktop = session.screenshot();
    ASSERT_FALSE(desktop.empty()) << session.log();
    Process run(session.command({session.program(), "/s"}, {{"ALSOFT_DRIVERS", "null"}, {"TARNWICK_NO_DIALOGS", "1"}}));

    // The first frames come after start-up; software rendering is slow.
    Image shot;
    for (int i = 0; i < 60 && run.running(); ++i, pause(0.5)) {
        shot = session.screenshot();
        if (changedFraction(desktop, shot) > 0.9)
            break;
    }
    ASSERT_FALSE(shot.empty()) << session.log();
    shot.savePng(artefactPath("wayland.png"));
    EXPECT_EQ(shot.width, 1920);
    EXPECT_GT(changedFraction(desktop, shot), 0.9) << "the clock covers the output\n" << run.err() << session.log();
    EXPECT_GT(litFraction(shot), 0.3) << "and is drawn";

    EXPECT_TRUE(session.pressKey("Escape"));
    int status = -1;
    ASSERT_TRUE(run.wait(10.0, &status)) << "a key ends the run\n" << run.err();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << "\n" << run.err();
}
