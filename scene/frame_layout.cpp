#include "scene/frame_layout.h"

#include "scene/transform_stack.h"

#include <cmath>

void storeViewpoints(TransformStack& camera)
{
    camera.selectSlot(0);

    camera.setPosition(0.0f, 20.2f, 13.0f);
    camera.pitch(-40.0f);
    camera.selectSlot(1);

    // These turns act on the orientation left by slot 1.
    camera.pitch(40.0f);
    camera.pitch(28.0f);
    camera.yaw(30.0f);
    camera.setPosition(22.0f, -8.0f, 45.0f);
    camera.selectSlot(2);
}

Viewport passViewport(int pass, int windowWidth, int windowHeight)
{
    const int thirdWidth = static_cast<int>(static_cast<float>(windowWidth) / 3.0f);
    const int thirdHeight = static_cast<int>(static_cast<float>(windowHeight) / 3.0f);
    switch (pass) {
    case 1:
        return {0, 0, thirdWidth, thirdHeight};
    case 2:
        return {static_cast<int>(static_cast<float>(windowWidth) * 2.0f / 3.0f), 0, thirdWidth, thirdHeight};
    default:
        return {0, 0, windowWidth, windowHeight};
    }
}

Vec3 lightPositionAt(float t)
{
    const float a = 0.2f * t;
    return Vec3(80.0f * std::sin(a) + 20.0f, 40.0f, 40.0f * std::cos(a) + 120.0f);
}

Mat4 clockModelMatrix()
{
    return translate(0.0f, 10.0f, 5.0f) * rotate(-10.0f, 0.0f, 1.0f, 0.0f) * rotate(-90.0f, 0.0f, 0.0f, 1.0f);
}

Mat4 backgroundModelMatrix()
{
    return translate(0.0f, 0.0f, -300.0f);
}

Mat4 sceneProjection(float aspectRatio)
{
    return perspective(50.0f, aspectRatio, 0.1f, 1000.0f);
}
