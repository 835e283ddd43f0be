#include "scene/frame_layout.h"
#include "scene/transform_stack.h"

#include <gtest/gtest.h>

namespace {

constexpr float kFourDecimals = 0.00005f;

// A lookAt view holds right, up and −forward in its rows and maps the eye to
// the origin; read the frame back out of it.
struct Frame {
    Vec3 eye, forward, up, right;
};

Frame frameOf(const Mat4& view)
{
    Frame f;
    f.right = Vec3(view[0][0], view[1][0], view[2][0]);
    f.up = Vec3(view[0][1], view[1][1], view[2][1]);
    f.forward = Vec3(-view[0][2], -view[1][2], -view[2][2]);
    const Vec3 t(view[3][0], view[3][1], view[3][2]);
    // eye = −Rᵀ t
    for (int i = 0; i < 3; ++i)
        f.eye[i] = -(f.right[i] * t[0] + f.up[i] * t[1] - f.forward[i] * t[2]);
    return f;
}

void expectNear(const Vec3& actual, const Vec3& expected, float tolerance, const char* what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << "[" << i << "]";
}

} // namespace

TEST(CameraSetup, StoresTheThreeViewpointsToFourDecimals)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    storeViewpoints(camera);
    EXPECT_EQ(camera.currentSlot(), 2);

    camera.setCurrentSlot(0);
    const Frame f0 = frameOf(camera.currentView());
    expectNear(f0.eye, Vec3(0, 0, 100), 1e-4f, "slot 0 eye");
    expectNear(f0.forward, Vec3(0, 0, -1), kFourDecimals, "slot 0 forward");

    camera.setCurrentSlot(1);
    const Frame f1 = frameOf(camera.currentView());
    expectNear(f1.eye, Vec3(0, 20.2f, 13), 1e-4f, "slot 1 eye");
    expectNear(f1.forward, Vec3(0, -0.6428f, -0.7660f), kFourDecimals, "slot 1 forward");
    expectNear(f1.up, Vec3(0, 0.7660f, -0.6428f), kFourDecimals, "slot 1 up");
    expectNear(f1.right, Vec3(1, 0, 0), kFourDecimals, "slot 1 right");

    camera.setCurrentSlot(2);
    const Frame f2 = frameOf(camera.currentView());
    expectNear(f2.eye, Vec3(22, -8, 45), 1e-4f, "slot 2 eye");
    expectNear(f2.forward, Vec3(-0.5f, 0.4066f, -0.7647f), kFourDecimals, "slot 2 forward");
    expectNear(f2.up, Vec3(0, 0.8829f, 0.4695f), kFourDecimals, "slot 2 up");
    expectNear(f2.right, Vec3(0.8660f, 0.2347f, -0.4415f), kFourDecimals, "slot 2 right");
    // The live frame is the one slot 2 was stored from.
    expectNear(camera.forward(), Vec3(-0.5f, 0.4066f, -0.7647f), kFourDecimals, "live forward");
    expectNear(camera.target(), camera.position() + camera.forward(), 1e-6f, "target");
}

TEST(TransformStack, StoredSlotIsKeptWhileTheCameraMoves)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    camera.setPosition(1.0f, 2.0f, 3.0f);
    camera.selectSlot(1);
    const Mat4 stored = camera.currentView();
    camera.setPosition(50.0f, 0.0f, 0.0f);
    camera.pitch(30.0f);
    camera.selectSlot(2);
    camera.setCurrentSlot(1);
    const Mat4 again = camera.currentView();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(again.data()[i], stored.data()[i]) << i;
}

TEST(TransformStack, SlotZeroMapsTheOriginOneHundredUnitsAhead)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    camera.selectSlot(0);
    const Vec4 p = camera.currentView() * Vec4(0, 0, 0, 1);
    EXPECT_NEAR(p[0], 0.0f, 1e-6f);
    EXPECT_NEAR(p[1], 0.0f, 1e-6f);
    EXPECT_NEAR(p[2], -100.0f, 1e-5f);
}

TEST(TransformStack, OppositePitchesRestoreTheFrameAndSetPositionKeepsIt)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    camera.pitch(-40.0f);
    EXPECT_LT(camera.forward()[1], 0.0f);  // a negative pitch looks down
    camera.pitch(40.0f);
    expectNear(camera.forward(), Vec3(0, 0, -1), 1e-6f, "forward");
    expectNear(camera.up(), Vec3(0, 1, 0), 1e-6f, "up");

    camera.yaw(30.0f);
    EXPECT_LT(camera.forward()[0], 0.0f);  // a positive yaw turns left
    const Vec3 forward = camera.forward(), up = camera.up(), right = camera.right();
    camera.setPosition(5.0f, 6.0f, 7.0f);
    expectNear(camera.forward(), forward, 0.0f, "forward");
    expectNear(camera.up(), up, 0.0f, "up");
    expectNear(camera.right(), right, 0.0f, "right");
    expectNear(camera.target(), Vec3(5, 6, 7) + forward, 1e-6f, "target");
}

TEST(TransformStack, OutOfRangeSlotsStayInsideTheTable)
{
    TransformStack camera(0.0f, 0.0f, 100.0f);
    camera.selectSlot(0);
    camera.setCurrentSlot(7);
    EXPECT_EQ(camera.currentSlot(), 0);
    camera.setCurrentSlot(-1);
    EXPECT_EQ(camera.currentSlot(), 0);
}
