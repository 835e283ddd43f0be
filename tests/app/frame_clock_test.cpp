// The frame clock against an injected clock: suspend, daylight-saving changes
// and a month of running.
#include "app/frame_clock.h"
#include "app/main_loop.h"
#include "scene/clock_uniforms.h"
#include "scene/scene.h"
#include "scene/scene_state.h"
#include "sound/DirectSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A fake machine: a monotonic frame clock and a wall clock that can part
// (suspend), and a local time zone whose offset can change (daylight saving).
struct FakeClocks {
    double frame = 0.0;
    double wall = 0.0;
    long offset = 0;  // seconds east of UTC
};
FakeClocks g_fake;

double fakeFrame() { return g_fake.frame; }
double fakeWall() { return g_fake.wall; }
void fakeLocal(std::int64_t epoch, int* h, int* m, int* s)
{
    const long local = static_cast<long>(((epoch + g_fake.offset) % 86400 + 86400) % 86400);
    *h = static_cast<int>(local / 3600);
    *m = static_cast<int>(local / 60 % 60);
    *s = static_cast<int>(local % 60);
}

class FrameClock : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_fake = {};
        g_clockSource = {fakeFrame, fakeWall, fakeLocal};
        g_clockStarted = false;
        g_lastTickTime = 0.0;
        g_nextTickTime = 0.0;
        g_sceneState = new SceneState(0.0f);
        g_tickSound = new CDirectSound();  // never initialised: plays nothing
    }
    void TearDown() override
    {
        releaseTickSound();
        delete g_sceneState;
        g_sceneState = nullptr;
        g_clockSource = systemClockSource();
    }

    // Runs frames at 60 Hz for seconds, both clocks advancing together.
    void runFor(double seconds)
    {
        const int frames = static_cast<int>(seconds * 60.0);
        for (int i = 0; i < frames; ++i) {
            g_fake.frame += 1.0 / 60.0;
            g_fake.wall += 1.0 / 60.0;
            advanceClock(g_fake.frame);
        }
    }

    // The time of day the hands show, in minutes past the hour and hours
    // on the dial, and what the fake wall clock says.
    void expectHandsShowTheWallClock(double toleranceSeconds)
    {
        const double local = std::fmod(g_fake.wall + g_fake.offset, 86400.0);
        const double trueMinute = std::fmod(local / 60.0, 60.0);
        const double trueHour = std::fmod(local / 3600.0, 12.0);
        const double minuteError = std::remainder(minuteUniform(*g_sceneState) - trueMinute, 60.0);
        const double hourError = std::remainder(hourUniform(*g_sceneState) - trueHour, 12.0);
        EXPECT_LT(std::fabs(minuteError) * 60.0, toleranceSeconds);
        EXPECT_LT(std::fabs(hourError) * 3600.0, toleranceSeconds + 0.05);
    }
};

TEST_F(FrameClock, SuspendForThreeHoursBringsTheHandsToTheTrueTimeWithinOneFrame)
{
    g_fake.frame = 5.0;
    g_fake.wall = 1780000000.25;
    runFor(10.0);
    expectHandsShowTheWallClock(1.0);

    // Three hours asleep: the monotonic frame clock did not move.
    g_fake.wall += 3 * 3600.0;
    g_fake.frame += 1.0 / 60.0;
    g_fake.wall += 1.0 / 60.0;
    advanceClock(g_fake.frame);
    expectHandsShowTheWallClock(1.0);

    // And from then on the hands run smoothly: no further jumps.
    float last = secondUniform(*g_sceneState);
    for (int i = 0; i < 600; ++i) {
        runFor(1.0 / 60.0);
        const float now = secondUniform(*g_sceneState);
        const double step = std::remainder(now - last, 60.0);
        EXPECT_NEAR(step, 1.0 / 60.0, 1e-3) << "frame " << i;
        last = now;
    }
}

TEST_F(FrameClock, DaylightSavingChangeIsFollowedWithinOneFrame)
{
    g_fake.frame = 1.0;
    g_fake.wall = 1774746000.0 - 30.0;  // half a minute before a change
    runFor(20.0);
    expectHandsShowTheWallClock(1.0);
    // A change takes effect at a whole second: the frame that crosses it
    // already shows the new local time.
    for (long offset : {3600L, 0L}) {  // clocks go forward an hour, and back
        g_fake.wall = std::floor(g_fake.wall) + 1.0 - 0.5 / 60.0;
        g_fake.offset = offset;
        runFor(1.0 / 60.0);
        expectHandsShowTheWallClock(1.0);
        runFor(3.0);
        expectHandsShowTheWallClock(1.0);
    }
}

TEST_F(FrameClock, ADriftBelowASecondDoesNotResnapshot)
{
    g_fake.frame = 1.0;
    g_fake.wall = 1780000000.0;
    runFor(2.0);
    const double snapshotTime = g_sceneState->preciseSnapshotTime();
    g_fake.wall += 0.4;  // the clocks part by less than a second
    runFor(3.0);
    EXPECT_EQ(g_sceneState->preciseSnapshotTime(), snapshotTime);
    EXPECT_TRUE(shownTimeHasDrifted(100.0, 101.5));
    EXPECT_FALSE(shownTimeHasDrifted(100.0, 100.9));
    EXPECT_FALSE(shownTimeHasDrifted(86399.5, 0.2)) << "across midnight";
    EXPECT_NEAR(timeOfDayDifference(86399.5, 0.2), 0.7, 1e-9);
}

// What the clock program's vertex shader computes, in single precision.
struct Motions {
    float pendulum, escapeWheel, centreWheel;
};
Motions motionsAt(float iTime)
{
    const float speed = -3.14159265358979f / 1.5f;
    return {std::sin(1.5f * speed * iTime) * 0.15f * 0.5f, 0.05f * speed * iTime,
            -0.05f * speed * iTime * (16.0f / 60.0f) * (15.0f / 60.0f) * (15.0f / 60.0f)};
}

std::vector<Motions> perFrameMotion(double start)
{
    std::vector<Motions> steps;
    g_fake.frame = start;
    g_fake.wall = 1780000000.0;
    g_clockStarted = false;
    advanceClock(g_fake.frame);
    Motions last = motionsAt(timeUniform(*g_sceneState));
    for (int i = 0; i < 120; ++i) {
        g_fake.frame += 1.0 / 60.0;
        g_fake.wall += 1.0 / 60.0;
        advanceClock(g_fake.frame);
        const Motions now = motionsAt(timeUniform(*g_sceneState));
        steps.push_back({now.pendulum - last.pendulum,
                         static_cast<float>(std::remainder(now.escapeWheel - last.escapeWheel, 2 * 3.14159265358979)),
                         static_cast<float>(std::remainder(now.centreWheel - last.centreWheel, 2 * 3.14159265358979))});
        last = now;
    }
    return steps;
}

TEST_F(FrameClock, AfterThirtyDaysEveryFrameMovesLikeInTheFirstMinute)
{
    const double first = 30.0;
    const double month = first + 30.0 * 86400.0;  // same phase of the hour
    const std::vector<Motions> early = perFrameMotion(first);
    const std::vector<Motions> late = perFrameMotion(month);
    ASSERT_EQ(early.size(), late.size());
    for (std::size_t i = 0; i < early.size(); ++i) {
        EXPECT_NEAR(late[i].pendulum, early[i].pendulum, 1e-4) << "frame " << i;
        EXPECT_NEAR(late[i].escapeWheel, early[i].escapeWheel, 1e-4) << "frame " << i;
        EXPECT_NEAR(late[i].centreWheel, early[i].centreWheel, 1e-4) << "frame " << i;
    }
}

TEST_F(FrameClock, TicksStayASecondApartAfterThirtyDays)
{
    g_fake.frame = 30.0 * 86400.0;
    g_fake.wall = 1780000000.0;
    std::vector<double> ticks;
    for (int i = 0; i < 60 * 10; ++i) {
        const double before = g_lastTickTime;
        runFor(1.0 / 60.0);
        if (g_lastTickTime != before)
            ticks.push_back(g_lastTickTime);
    }
    ASSERT_GE(ticks.size(), 9u);
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const double gap = ticks[i] - ticks[i - 1];
        EXPECT_GT(gap, 1.0 - 1.5 / 60.0);
        EXPECT_LT(gap, 1.0 + 1.5 / 60.0);
    }
}

} // namespace
