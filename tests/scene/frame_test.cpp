#include "scene/clock_uniforms.h"
#include "scene/frame_layout.h"
#include "scene/scene_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectViewport(const Viewport& v, int x, int y, int w, int h)
{
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.width, w);
    EXPECT_EQ(v.height, h);
}

SceneState snapshotAt(int h, int m, int s, float snapshotTime, float now)
{
    SceneState state(0.0f);
    state.setSecondStart(snapshotTime);
    state.snapshotFrom(h, m, s);
    state.setTime(now);
    return state;
}

} // namespace

TEST(PassViewports, FullHdWindow)
{
    expectViewport(passViewport(0, 1920, 1080), 0, 0, 1920, 1080);
    expectViewport(passViewport(1, 1920, 1080), 0, 0, 640, 360);
    expectViewport(passViewport(2, 1920, 1080), 1280, 0, 640, 360);
    EXPECT_EQ(passCameraSlot(0), 0);
    EXPECT_EQ(passCameraSlot(1), 1);
    EXPECT_EQ(passCameraSlot(2), 2);
}

TEST(PassViewports, SizesNotDivisibleByThreeAreTruncated)
{
    expectViewport(passViewport(1, 1000, 700), 0, 0, 333, 233);
    // ⌊2000/3⌋ = 666: the right inset ends one pixel short of the edge.
    expectViewport(passViewport(2, 1000, 700), 666, 0, 333, 233);
    expectViewport(passViewport(1, 1366, 768), 0, 0, 455, 256);
    expectViewport(passViewport(2, 1366, 768), 910, 0, 455, 256);
    expectViewport(passViewport(2, 2, 2), 1, 0, 0, 0);
}

TEST(Light, CirclesInThePlaneYFortyAroundTwentyFortyOneTwenty)
{
    const Vec3 start = lightPositionAt(0.0f);
    EXPECT_FLOAT_EQ(start[0], 20.0f);
    EXPECT_FLOAT_EQ(start[1], 40.0f);
    EXPECT_FLOAT_EQ(start[2], 160.0f);
    const Vec3 quarter = lightPositionAt(7.854f);
    EXPECT_NEAR(quarter[0], 100.0f, 1e-3f);
    EXPECT_FLOAT_EQ(quarter[1], 40.0f);
    EXPECT_NEAR(quarter[2], 120.0f, 1e-3f);
}

// The shaders turn each value through a periodic function, so the values are
// handed over reduced to their periods: the same angles as the unreduced ones.
// seconds → 2π/60 per unit, minutes → 2π/60, hours → 2π/12.
void expectSameTurn(float value, double unreduced, double unitsPerTurn)
{
    const double twoPi = 2.0 * 3.14159265358979323846;
    const double a = twoPi / unitsPerTurn * value;
    const double b = twoPi / unitsPerTurn * unreduced;
    EXPECT_NEAR(std::cos(a), std::cos(b), 1e-5) << value << " vs " << unreduced;
    EXPECT_NEAR(std::sin(a), std::sin(b), 1e-5) << value << " vs " << unreduced;
    EXPECT_GE(value, 0.0f);
    EXPECT_LT(value, unitsPerTurn);
}

TEST(ClockUniforms, SnapshotAtTenFifteenThirty)
{
    const SceneState state = snapshotAt(10, 15, 30, 2.0f, 32.0f);
    // Unreduced: iSecond 60, iMinute 16, iHour 10 + 15/60 + 30/3600 + 30/3600.
    EXPECT_FLOAT_EQ(secondUniform(state), 0.0f);
    expectSameTurn(secondUniform(state), 60.0, 60.0);
    EXPECT_FLOAT_EQ(minuteUniform(state), 16.0f);
    EXPECT_NEAR(hourUniform(state), 10.266667f, 1e-5f);
    EXPECT_NEAR(timeUniform(state), 32.0f, 1e-6f);
}

TEST(ClockUniforms, PastMidnightTheHandsStandAsAtOneSecondPast)
{
    const SceneState state = snapshotAt(23, 59, 59, 0.0f, 2.0f);
    expectSameTurn(hourUniform(state), 24.000278, 12.0);
    expectSameTurn(minuteUniform(state), 60.0 + 1.0 / 60.0, 60.0);
    expectSameTurn(secondUniform(state), 61.0, 60.0);
    // Through the hour hand's 2π-periodic turn this is 00:00:01.
    const SceneState early = snapshotAt(0, 0, 1, 0.0f, 0.0f);
    EXPECT_NEAR(hourUniform(state), hourUniform(early), 1e-5f);
    EXPECT_NEAR(secondUniform(state), secondUniform(early), 1e-5f);
}

TEST(ClockUniforms, FrameTimeRepeatsEveryHourAndTheLightEveryCircle)
{
    SceneState state(0.0f);
    state.setSecondStart(0.0);
    state.snapshotFrom(0, 0, 0);
    state.setTime(3600.0 * 24 * 30 + 12.25);  // thirty days and 12.25 s
    EXPECT_NEAR(timeUniform(state), 12.25f, 1e-4f);
    const double lightCircle = 10.0 * 3.14159265358979323846;
    state.setTime(lightCircle * 1000.0 + 1.0);
    EXPECT_NEAR(lightTime(state), 1.0f, 1e-4f);
    const Vec3 later = lightPositionAt(lightTime(state));
    const Vec3 first = lightPositionAt(1.0f);
    EXPECT_NEAR(later[0], first[0], 1e-3f);
    EXPECT_NEAR(later[2], first[2], 1e-3f);
}

TEST(ClockModel, StandsUprightWithTwelveAtTheTopAndThreeToTheRight)
{
    const Mat4 m = clockModelMatrix();
    // The hands' centre (2, 0, 0) in model space.
    const Vec4 centre = m * Vec4(2, 0, 0, 1);
    EXPECT_NEAR(centre[0], 0.0f, 1e-5f);
    EXPECT_NEAR(centre[1], 8.0f, 1e-5f);
    EXPECT_NEAR(centre[2], 5.0f, 1e-5f);
    // Model −x (12 o'clock) is world +y; model +y (3 o'clock) is world +x,
    // turned 10° about the vertical.
    const Vec4 twelve = m * Vec4(-1, 0, 0, 0);
    EXPECT_NEAR(twelve[1], 1.0f, 1e-5f);
    const Vec4 three = m * Vec4(0, 1, 0, 0);
    EXPECT_NEAR(three[0], std::cos(10.0f * 0.017453292f), 1e-5f);
    EXPECT_NEAR(three[2], std::sin(10.0f * 0.017453292f), 1e-5f);

    const Vec4 back = backgroundModelMatrix() * Vec4(0, 0, 0, 1);
    EXPECT_FLOAT_EQ(back[2], -300.0f);
}
