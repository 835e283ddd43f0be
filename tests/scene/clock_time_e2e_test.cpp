// The real program, full screen on a virtual display with the local time
// fixed at 10:10:30: the hands are read back from a screenshot.
// GoogleTest first: Xlib's None macro would break its headers.
#include <gtest/gtest.h>

#include "tests/support/clock_reading.h"
#include "tests/support/e2e.h"

#include <chrono>
#include <csignal>

TEST(ClockTimeEndToEnd, HandsShowTenTenThirtyFromTheFakedLocalTime)
{
    e2e::VirtualDisplay display;
    ASSERT_TRUE(display.ok());
    const auto started = std::chrono::steady_clock::now();
    e2e::Process program({"faketime", "2026-01-01 10:10:30", e2e::binaryPath(), "/s"},
                         e2e::allowingPreloads(e2e::quietEnv(display)));
    const Window window = e2e::findWindow(display.x(), "Tarnwick", 60.0);
    ASSERT_NE(window, 0u) << program.err();
    // The window opens before the scene is built: wait for the first frame
    // (the backdrop is never black), then one more second.
    auto drawn = [](const e2e::Image& image) { return !image.empty() && image.at(100, 100)[0] > 10; };
    for (int i = 0; i < 120 && program.running() && !drawn(e2e::grabScreen(display)); ++i)
        e2e::pause(0.5);
    e2e::pause(1.0);
    ASSERT_TRUE(program.running()) << program.err();
    const e2e::Image shot = e2e::grabScreen(display);
    ASSERT_TRUE(drawn(shot)) << "no frame drawn";
    const double secondsSinceStart =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    ASSERT_EQ(shot.width, 1920);
    ASSERT_EQ(shot.height, 1080);
    EXPECT_TRUE(shot.savePng(e2e::artefactPath("clock_10_10_30.png")));

    expectClockAtTenTenThirty(shot, secondsSinceStart);
    program.signal(SIGTERM);
}
