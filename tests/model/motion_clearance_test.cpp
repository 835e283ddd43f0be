// Moving parts clear each other through their whole motion, and the hands
// show the true time.
#include "model_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace model;

namespace {

const double kPi = 3.14159265358979323846;

std::vector<P3> realVertices(const LoadedMesh& m, int first, int last) {
    std::vector<P3> out;
    for (int t = firstTriangle(first); t <= lastTriangle(last); ++t)
        if (!m.tris[t].degenerate())
            for (const P3& p : m.tris[t].p) out.push_back(p);
    return out;
}

// The farthest vertex of a hand from the hands' centre: its tip.
P3 tip(const std::vector<P3>& v) {
    return *std::max_element(v.begin(), v.end(), [](const P3& a, const P3& b) {
        return radius(a, kHands[0], kHands[1]) < radius(b, kHands[0], kHands[1]);
    });
}

// Clockwise angle from 12 o'clock (model -x) as the viewer sees it.
double clockwiseFromTwelve(const P3& p) { return std::atan2(p.y - kHands[1], -(p.x - kHands[0])); }

// Real vertices of the triangles whose depth span overlaps [z0, z1].
std::vector<P3> verticesReaching(const LoadedMesh& m, int first, int last, double z0, double z1) {
    std::vector<P3> out;
    for (int t = firstTriangle(first); t <= lastTriangle(last); ++t) {
        const Triangle& tri = m.tris[t];
        if (tri.degenerate()) continue;
        double lo = std::min({tri.p[0].z, tri.p[1].z, tri.p[2].z}), hi = std::max({tri.p[0].z, tri.p[1].z, tri.p[2].z});
        if (hi < z0 || lo > z1) continue;
        for (const P3& p : tri.p) out.push_back(p);
    }
    return out;
}

}  // namespace

TEST(Escapement, PalletsStayClearOfTheTurningEscapeWheel) {
    std::vector<P3> wheel = realVertices(clockMesh(), 79443, 97487);
    double tipCircle = 0, zMin = 1e9, zMax = -1e9;
    for (const P3& p : wheel) {
        tipCircle = std::max(tipCircle, radius(p, kEscape[0], kEscape[1]));
        zMin = std::min(zMin, p.z), zMax = std::max(zMax, p.z);
    }
    std::vector<P3> anchor = verticesReaching(clockMesh(), 3396, 6137, zMin, zMax);
    double closest = 1e9;
    int inLayer = 0;
    for (const P3& p : anchor) {
        ++inLayer;
        // The wheel turns steadily, so its tip circle is what the anchor must clear.
        for (int s = -40; s <= 40; ++s) {
            P3 q = turn(p, kYoke[0], kYoke[1], 0.12 * s / 40.0);
            closest = std::min(closest, radius(q, kEscape[0], kEscape[1]) - tipCircle);
        }
    }
    EXPECT_GT(inLayer, 0) << "the pallets share the escape wheel's layer";
    EXPECT_GT(closest, 0.01);
    EXPECT_LT(closest, 0.3) << "the pallets reach the wheel's rim";
}

TEST(Escapement, CrutchForkHoldsTheRodWithoutTouchingIt) {
    // The rod: a cylinder hanging from the pendulum's pivot.
    std::vector<P3> rod = realVertices(clockMesh(), 118113, 118484);
    double y0 = 0, z0 = 0;
    for (const P3& p : rod) y0 += p.y, z0 += p.z;
    y0 /= rod.size();
    z0 /= rod.size();
    double r = 0;
    for (const P3& p : rod) r = std::max(r, std::hypot(p.y - y0, p.z - z0));
    EXPECT_NEAR(y0, kPendulum[1], 0.02) << "the rod hangs from the pivot";
    // Only what reaches the rod's depth can touch it.
    std::vector<P3> crutch = verticesReaching(clockMesh(), 99750, 101081, z0 - r, z0 + r);
    double closest = 1e9;
    int near = 0;
    for (int s = 0; s <= 80; ++s) {
        double t = 2.0 * s / 80;
        double ap = angles::pendulum(t), ay = angles::yoke(t);
        // The rod axis at time t: through the pivot, turned with the pendulum.
        P3 a = turn({kPendulum[0], y0, z0}, kPendulum[0], kPendulum[1], ap);
        P3 b = turn({kPendulum[0] + 40, y0, z0}, kPendulum[0], kPendulum[1], ap);
        double dx = b.x - a.x, dy = b.y - a.y, l = std::hypot(dx, dy);
        for (const P3& p : crutch) {
            P3 q = turn(p, kYoke[0], kYoke[1], ay);
            double d = std::abs((q.x - a.x) * dy - (q.y - a.y) * dx) / l;
            closest = std::min(closest, d - r);
            ++near;
        }
    }
    EXPECT_GT(near, 0) << "the fork reaches back to the rod";
    EXPECT_GT(closest, 0.005);
    EXPECT_LT(closest, 0.2) << "the fork holds the rod closely";
}

TEST(Hands, ModelledAtTheirZeroAnglesSoTheShadersShowTheTime) {
    // At a value of 0 each shader turn brings its hand to 12 o'clock.
    P3 minute = turn(tip(realVertices(clockMesh(), 13971, 14810)), kHands[0], kHands[1], -0.16);
    P3 hour = turn(tip(realVertices(clockMesh(), 40389, 41258)), kHands[0], kHands[1], 2.695);
    std::vector<P3> second;
    for (const Triangle& t : secondHandMesh().tris)
        for (const P3& p : t.p) second.push_back(p);
    P3 sec = turn(tip(second), kHands[0], kHands[1], -0.097);
    EXPECT_NEAR(clockwiseFromTwelve(minute), 0.0, 0.01);
    EXPECT_NEAR(clockwiseFromTwelve(hour), 0.0, 0.01);
    EXPECT_NEAR(clockwiseFromTwelve(sec), 0.0, 0.01);
    // At 15 minutes the minute hand points at 3 o'clock (+y).
    P3 quarter = turn(tip(realVertices(clockMesh(), 13971, 14810)), kHands[0], kHands[1], -0.16 + 2 * kPi / 60 * 15);
    EXPECT_NEAR(clockwiseFromTwelve(quarter), kPi / 2, 0.01);
}

TEST(Hands, StackInFrontOfTheDialWithoutTouching) {
    auto depth = [](const std::vector<P3>& v) {
        std::pair<double, double> r{1e9, -1e9};
        for (const P3& p : v) r.first = std::min(r.first, p.z), r.second = std::max(r.second, p.z);
        return r;
    };
    double dialFront = -1e9;
    for (int t = firstTriangle(18156); t <= lastTriangle(24962); ++t)
        for (const P3& p : bodyMesh().tris[t].p) dialFront = std::max(dialFront, p.z);
    auto hour = depth(realVertices(clockMesh(), 40389, 41258));
    auto minute = depth(realVertices(clockMesh(), 13971, 14810));
    std::vector<P3> second;
    for (const Triangle& t : secondHandMesh().tris)
        for (const P3& p : t.p) second.push_back(p);
    auto sec = depth(second);
    EXPECT_GT(hour.first, dialFront);
    EXPECT_GT(minute.first, hour.second);
    EXPECT_GT(sec.first, minute.second);
}
