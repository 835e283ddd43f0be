#include "app/application.h"
#include "app/main_loop.h"
#include "app/tick_turn.h"
#include "app/window_icon.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(WindowSize, RunsInAHostTakeItsClientArea)
{
    const WindowSize size = chooseSizeFor(true, 62, {1920, 1080}, {320, 240});
    EXPECT_EQ(size.width, 320);
    EXPECT_EQ(size.height, 240);
}

TEST(WindowSize, FullScreenTakesTheVideoModeOnModernSystemsAnd800x600Below)
{
    const WindowSize modern = chooseSizeFor(false, 60, {2560, 1440}, {0, 0});
    EXPECT_EQ(modern.width, 2560);
    EXPECT_EQ(modern.height, 1440);
    const WindowSize old = chooseSizeFor(false, 51, {2560, 1440}, {0, 0});
    EXPECT_EQ(old.width, 800);
    EXPECT_EQ(old.height, 600);
}

TEST(WindowSize, MetricsAreWrittenTogether)
{
    setWindowMetrics(1920, 1080);
    EXPECT_EQ(g_windowWidth, 1920);
    EXPECT_EQ(g_windowHeight, 1080);
    EXPECT_FLOAT_EQ(g_aspectRatio, 1920.0f / 1080.0f);
    setWindowMetrics(0, 0);  // an iconified window: 0/0 is not a number
    EXPECT_TRUE(std::isnan(g_aspectRatio));
}

TEST(WindowIcon, ColumnsBecomeRows)
{
    // A synthetic picture whose every pixel names its own column and row.
    std::vector<std::uint8_t> columns(kIconBytes);
    for (int c = 0; c < kIconSize; ++c)
        for (int r = 0; r < kIconSize; ++r) {
            std::uint8_t* p = &columns[(c * kIconSize + r) * 4];
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(r);
            p[2] = 7;
            p[3] = 255;
        }
    std::vector<std::uint8_t> rows(kIconBytes);
    iconColumnsToRows(columns.data(), rows.data());
    for (int r = 0; r < kIconSize; ++r)
        for (int c = 0; c < kIconSize; ++c) {
            const std::uint8_t* p = &rows[(r * kIconSize + c) * 4];
            ASSERT_EQ(p[0], c);
            ASSERT_EQ(p[1], r);
            ASSERT_EQ(p[2], 7);
        }
}

TEST(WindowIcon, TheMonitorPicture)
{
    std::vector<std::uint8_t> rows(kIconBytes);
    iconColumnsToRows(windowIconColumns(), rows.data());
    auto pixel = [&](int x, int y) { return &rows[(y * kIconSize + x) * 4]; };
    EXPECT_EQ(pixel(0, 0)[3], 0) << "transparent background";
    EXPECT_EQ(pixel(63, 63)[3], 0);
    // Screen quadrants: red top left, green top right, blue bottom left, yellow bottom right.
    const std::uint8_t* red = pixel(15, 14);
    EXPECT_GT(red[0], 200);
    EXPECT_LT(red[1], 100);
    const std::uint8_t* green = pixel(48, 14);
    EXPECT_GT(green[1], 150);
    EXPECT_LT(green[0], 100);
    const std::uint8_t* blue = pixel(15, 34);
    EXPECT_GT(blue[2], 200);
    EXPECT_LT(blue[0], 100);
    const std::uint8_t* yellow = pixel(48, 34);
    EXPECT_GT(yellow[0], 200);
    EXPECT_GT(yellow[1], 180);
    // Light-blue bezel and an opaque stand below the screen.
    const std::uint8_t* bezel = pixel(6, 20);
    EXPECT_GT(bezel[2], bezel[0]);
    EXPECT_EQ(bezel[3], 255);
    EXPECT_EQ(pixel(31, 56)[3], 255);
    // A row of dark dots on the lower-right bezel.
    EXPECT_LT(pixel(38, 41)[0], 80);
    EXPECT_GT(pixel(41, 41)[0], 100);
}

// Frame times from start, dt apart, fed to the tick rule as the loop does
// (the first frame ticks and starts the schedule); gives the ticked times.
std::vector<double> tickTimes(double start, double dt, double seconds)
{
    std::vector<double> ticks;
    double next = start;
    for (double t = start; t < start + seconds; t += dt) {
        if (t >= next) {
            ticks.push_back(t);
            next = nextTickTime(t, start, next);
        }
    }
    return ticks;
}

TEST(TickRule, SixtyTicksAMinuteEachOnTheFrameThatCrossesTheSecond)
{
    // A display's rate, a slow software renderer, and frames near a second.
    for (double dt : {1.0 / 60.0, 0.07, 0.3, 0.95}) {
        const double start = 1234.25;
        const std::vector<double> ticks = tickTimes(start, dt, 60.0);
        EXPECT_EQ(ticks.size(), 60u) << "frames " << dt << " s apart";
        for (std::size_t k = 0; k < ticks.size(); ++k) {
            EXPECT_GE(ticks[k], start + k - 1e-9) << "tick " << k << ", frames " << dt;
            EXPECT_LT(ticks[k], start + k + dt) << "tick " << k << ", frames " << dt;
        }
    }
}

TEST(TickTurn, OneProcessOfADisplayTicksAndAnotherTakesOverWhenItGoes)
{
    for (const auto& [name, display] : std::vector<std::pair<std::string, std::string>>{
             {":0", ":0"}, {":0.1", ":0"}, {"localhost:10.0", "localhost:10"}, {"host.example:0.2", "host.example:0"},
             {"", ""}})
        EXPECT_EQ(displayOfScreen(name), display) << name;
    EXPECT_EQ(tickNameFor(":7.1"), tickNameFor(":7.0")) << "every monitor of a display shares one name";
    EXPECT_NE(tickNameFor(":7"), tickNameFor(":8"));

    const std::string name = tickNameFor(":tick-turn-test-" + std::to_string(getpid()));
    auto first = std::make_unique<TickTurn>(name);
    TickTurn second(name);
    EXPECT_TRUE(first->isMine());
    EXPECT_FALSE(second.isMine()) << "the name is taken by a process of this user";
    EXPECT_TRUE(first->isMine());
    first.reset();
    EXPECT_TRUE(second.isMine()) << "the tick is taken over once its holder is gone";
}

TEST(TickRule, AStallGivesOneTickThenTheTicksAreBackInStep)
{
    const double start = 10.0;
    struct Case {
        double t, due, next;
        const char* what;
    };
    for (const Case& c : std::vector<Case>{
             {10.0, 10.0, 11.0, "on time"},
             {11.999, 11.0, 12.0, "a slow frame delays its tick, not the next"},
             {13.2, 11.0, 14.0, "three seconds lost: one tick at 13.2, the next at 14"},
             {13.8, 11.0, 15.0, "after a stall the next second waits half a second at least"},
             {11.9, 11.0, 12.0, "a frame under a second late keeps the next second"},
             {13.8, 13.8, 14.0, "after a rest (due at the first frame): the next whole second, without a tick now"},
         })
        EXPECT_EQ(nextTickTime(c.t, start, c.due), c.next) << c.what;
}

} // namespace
