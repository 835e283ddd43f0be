// "/s" and the switch-less run of the Windows program under Wine: the clock
// at a faked local time (the faked clock reaches Wine's), the clock on both
// of two monitors, the input that ends a run and the input that does not,
// another program's window that ends it, and the single instance.
// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/windows/wine_run.h"

#include <X11/Xlib.h>

#include <chrono>

TEST(WindowsScreensaver, ShowsTheFakedTimeAndEndsOnAKeyButNotOnAMouseMove)
{
    e2e::VirtualDisplay display;
    ASSERT_TRUE(display.ok());
    wine::Session session;
    const auto started = std::chrono::steady_clock::now();
    e2e::Process program({"faketime", "2026-01-01 10:10:30", "/usr/lib/wine/wine64", wine::scrPath(), "/s"},
                         wine::environment(display));
    ASSERT_TRUE(wine::frameShown(wine::waitForFrame(display, program, 90.0))) << program.err();
    e2e::pause(1.0);
    const e2e::Image shot = e2e::grabScreen(display);
    const double secondsSinceStart =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_TRUE(shot.savePng(e2e::artefactPath("windows_clock_10_10_30.png")));
    expectClockAtTenTenThirty(shot, secondsSinceStart);

    e2e::movePointer(display, 300, 300);
    e2e::movePointer(display, 900, 700);
    e2e::pause(2.0);
    ASSERT_TRUE(program.running()) << "a mouse move ended the run";

    e2e::pressKey(display, "a");
    int status = 0;
    ASSERT_TRUE(program.wait(15.0, &status)) << "a key did not end the run";
    EXPECT_EQ(wine::exitCode(status), 0);
}

TEST(WindowsScreensaver, TwoMonitorsBothShowTheClockAndAKeyEndsTheRun)
{
    const auto display = wine::twoMonitorDisplay();
    ASSERT_TRUE(display->ok());
    Display* x = display->x();
    // A window left open on the second monitor, which must not stay in view.
    const Window leftOpen = XCreateSimpleWindow(x, DefaultRootWindow(x), wine::kMonitorWidth + 100, 100, 600, 400,
                                                0, WhitePixel(x, 0), WhitePixel(x, 0));
    XMapWindow(x, leftOpen);
    XSync(x, False);
    wine::Session session;
    e2e::Process program(wine::command({wine::scrPath(), "/s"}), wine::withTwoMonitors(wine::environment(*display)));
    ASSERT_TRUE(wine::frameShown(wine::waitForFrame(*display, program, 90.0))) << program.err();
    // The second monitor's window comes with the first; give both a frame.
    e2e::Image shot;
    for (int i = 0; i < 40 && program.running(); ++i) {
        e2e::pause(0.5);
        shot = e2e::grabScreen(*display);
        if (wine::frameShown(shot.crop(wine::kMonitorWidth, 0, wine::kMonitorWidth, wine::kMonitorHeight)))
            break;
    }
    EXPECT_TRUE(shot.savePng(e2e::artefactPath("windows_two_monitors.png")));
    for (int monitor = 0; monitor < 2; ++monitor) {
        SCOPED_TRACE(monitor == 0 ? "first monitor" : "second monitor");
        expectClockPicture(shot.crop(monitor * wine::kMonitorWidth, 0, wine::kMonitorWidth, wine::kMonitorHeight));
    }

    ASSERT_TRUE(program.running()) << "the activation moving between our own windows ended the run";
    e2e::pressKey(*display, "a");
    int status = 0;
    ASSERT_TRUE(program.wait(15.0, &status)) << "a key did not end the run";
    EXPECT_EQ(wine::exitCode(status), 0);
}

TEST(WindowsScreensaver, AnotherProgramsWindowEndsTheRun)
{
    e2e::VirtualDisplay display({"640x480x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    e2e::Process program(wine::command({wine::scrPath(), "/s"}), wine::environment(display));
    ASSERT_TRUE(wine::frameShown(wine::waitForFrame(display, program, 90.0))) << program.err();
    // As an update prompt would: another program opens a window and takes
    // the activation.
    e2e::Process other(wine::command({wine::previewHostPath(), "30"}), wine::environment(display));
    int status = -1;
    ASSERT_TRUE(program.wait(30.0, &status)) << "the run went on behind another program's window";
    EXPECT_EQ(wine::exitCode(status), 0);
}

TEST(WindowsScreensaver, ASecondSwitchlessRunEndsAtOnceWhileTheFirstRuns)
{
    e2e::VirtualDisplay display({"640x480x24"});
    ASSERT_TRUE(display.ok());
    wine::Session session;
    e2e::Process first(wine::command({wine::scrPath()}), wine::environment(display));
    ASSERT_TRUE(wine::frameShown(wine::waitForFrame(display, first, 90.0))) << first.err();

    e2e::Process second(wine::command({wine::scrPath()}), wine::environment(display));
    int status = 0;
    // At once: Wine's own start-up, without any window or scene of ours.
    ASSERT_TRUE(second.wait(15.0, &status)) << "the second run did not end";
    EXPECT_EQ(wine::exitCode(status), 0);
    EXPECT_TRUE(first.running());

    // "/s" neither takes nor tests the name: it runs beside the first.
    e2e::Process screensaver(wine::command({wine::scrPath(), "/s"}), wine::environment(display));
    e2e::pause(8.0);
    EXPECT_TRUE(screensaver.running()) << screensaver.err();
}
