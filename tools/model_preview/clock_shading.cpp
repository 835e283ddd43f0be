#include "clock_shading.h"

#include <cmath>

namespace {

const float kPi = 3.1415926535897932384626433832795f;
const float kSpeed = -kPi / 1.5f;

bool in(int id, int a, int b) { return id >= a && id <= b; }

Vec3 turn(const Vec3& p, float cx, float cy, float a) {
    float dx = p[0] - cx, dy = p[1] - cy;
    return Vec3(cx + dx * std::cos(a) + dy * std::sin(a), cy - dx * std::sin(a) + dy * std::cos(a), p[2]);
}

}  // namespace

ShadedVertex shadeVertex(Program prog, int id, const Vec3& position, const ClockTime& tm) {
    ShadedVertex s;
    s.position = position;
    if (prog == Program::SecondHand) {
        s.position = turn(position, 2.0f, 0.0f, -0.097f + (2 * kPi / 60) * tm.second);
        s.ambientK = 1.0f;
        return s;
    }
    if (prog == Program::Body) {
        bool face = in(id, 18156, 24962);
        bool pin = in(id, 0, 6143) || in(id, 11316, 18155);
        s.flags = Vec3(face ? 1.f : 0.f, pin ? 1.f : 0.f, 0);
        s.alpha = (face || pin) ? 1.0f : 0.4f;
        s.ambientK = 1.0f;
        return s;
    }
    float t = tm.t;
    bool escapement = in(id, 3396, 6137);
    bool pendulum = in(id, 101082, 120218);
    bool yoke = in(id, 2280, 2651) || in(id, 99750, 101081) || escapement;
    bool g2526 = in(id, 77331, 98501);
    bool g3533 = in(id, 66675, 77282) || in(id, 43311, 45362);
    bool bottom = in(id, 45363, 55970) || in(id, 41259, 43309);
    bool top = in(id, 32987, 35035);
    bool g4546 = in(id, 14811, 23696);
    bool minute = in(id, 13971, 14810), hour = in(id, 40389, 41258);
    float g = 0.05f * kSpeed * t;
    Vec3 P = position;
    if (pendulum) P = turn(P, -19.8062f, 0.04179f, std::sin(1.5f * kSpeed * t) * 0.15f * 0.5f);
    if (yoke) P = turn(P, -14.83f, 0.0f, std::sin(1.5f * kSpeed * t) * 0.24f * 0.5f);
    if (g2526) P = turn(P, -6.74f, 0, g);
    if (g3533) P = turn(P, 1.97f, 0, -g * (16.f / 60.f));
    if (bottom) P = turn(P, 10.66f, 0, g * (16.f / 60.f) * (15.f / 60.f));
    // Gear 35 centre: five ranges, record 37089 in two of them.
    int centreHits = in(id, 56031, 66626) + in(id, 39429, 40388) + in(id, 37089, 39428) + in(id, 35037, 37089) + in(id, 23697, 30452);
    for (int k = 0; k < centreHits; ++k) P = turn(P, 1.97f, 0, -g * (16.f / 60.f) * (15.f / 60.f) * (15.f / 60.f));
    if (top) P = turn(P, -3.12f, 0, g * (16.f / 60.f) * (15.f / 60.f) * (15.f / 60.f));
    if (g4546) P = turn(P, 6.60f, 0, g * (16.f / 60.f) * (15.f / 60.f) * (15.f / 60.f) * (32.f / 8.f));
    if (minute) P = turn(P, 2.0f, 0, -0.16f + (2 * kPi / 60) * tm.minute);
    if (hour) P = turn(P, 2.0f, 0, 2.695f + (2 * kPi / 12) * tm.hour);
    s.position = P;
    s.visible = !in(id, 8418, 13970);
    Vec3 f(0, 0, 0);
    if (in(id, 101082, 102414) || in(id, 118485, 120218)) f[0] = 1.0f;
    if (in(id, 55971, 56018) || in(id, 97488, 98501) || in(id, 29378, 30452) || in(id, 22737, 23696) || escapement) f[0] = 1.5f;
    if (minute || hour) f[1] = 1.0f;
    if (in(id, 77331, 79442) || in(id, 118113, 118484)) f[2] = 1.2f;
    s.flags = f;
    return s;
}
