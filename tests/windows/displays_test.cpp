// The Windows program under Wine on a real X server (the dummy video driver)
// while the displays change: a new display mode, set by another program with
// ChangeDisplaySettingsExW, reaches "/s" as WM_DISPLAYCHANGE, and the frame
// then fills the new size with the clock centred and both insets.
// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/support/dummy_xorg.h"
#include "tests/windows/wine_run.h"

#include <string>

TEST(WindowsDisplays, ANewDisplayModeIsFilledWithTheWholePicture)
{
    const std::string unavailable = e2e::DummyXorg::unavailableBecause();
    if (!unavailable.empty())
        GTEST_SKIP() << unavailable;
    e2e::DummyXorg xorg;
    ASSERT_TRUE(xorg.ok()) << xorg.log();
    wine::Session session;
    e2e::Process program(wine::command({wine::scrPath(), "/s"}), wine::environment(xorg.display()));

    const struct {
        const char* name;
        int width, height;  // the mode set before the look; the first is the server's own
    } steps[] = {{"start", 1280, 720}, {"smaller-mode", 640, 360}, {"mode-back", 1280, 720}};
    bool first = true;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (!first) {
            e2e::Process change(wine::command({wine::changeDisplayModePath(), std::to_string(step.width),
                                               std::to_string(step.height)}),
                                wine::environment(xorg.display()));
            int status = -1;
            ASSERT_TRUE(change.wait(60.0, &status) && wine::exitCode(status) == 0) << change.err();
        }
        first = false;
        e2e::Image shot;
        for (int i = 0; i < 120 && program.running(); ++i, e2e::pause(0.5)) {
            shot = e2e::grabScreen(xorg.display());
            if (checkPasses([&] { expectWholePictureAt(shot, 0, 0, step.width, step.height); }))
                break;
        }
        shot.savePng(e2e::artefactPath(std::string("windows-displays-") + step.name + ".png"));
        ASSERT_TRUE(program.running()) << "the run ended\n" << program.err();
        expectWholePictureAt(shot, 0, 0, step.width, step.height);
    }
}
