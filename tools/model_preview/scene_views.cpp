#include "scene_views.h"

#include <cmath>

namespace {

struct Camera {
    Vec3 pos{0, 0, 100}, fwd{0, 0, -1}, right{1, 0, 0}, up{0, 1, 0};
    void pitch(float deg) {
        float a = radians(deg);
        fwd = fwd * std::cos(a) + up * std::sin(a);
        up = cross(right, fwd);
    }
    void yaw(float deg) {
        float a = radians(deg);
        fwd = fwd * std::cos(a) - right * std::sin(a);
        right = cross(fwd, up);
    }
    Mat4 view() const { return lookAt(pos, pos + fwd, up); }
};

}  // namespace

Mat4 cameraView(int slot) {
    Camera c;
    if (slot == 0) return c.view();
    c.pos = Vec3(0.0f, 20.2f, 13.0f);
    c.pitch(-40.0f);
    if (slot == 1) return c.view();
    c.pitch(40.0f);
    c.pitch(28.0f);
    c.yaw(30.0f);
    c.pos = Vec3(22.0f, -8.0f, 45.0f);
    return c.view();
}

Mat4 clockModelMatrix() { return translate(0, 10, 5) * rotate(-10, 0, 1, 0) * rotate(-90, 0, 0, 1); }

Mat4 projection(float aspect) { return perspective(50.0f, aspect, 0.1f, 1000.0f); }

Vec3 lightPosition(float t) {
    float a = 0.2f * t;
    return Vec3(80.0f * std::sin(a) + 20.0f, 40.0f, 40.0f * std::cos(a) + 120.0f);
}
