// The wheels have the tooth counts and pitch radii of the train, and every
// meshing pair stays in mesh without touching at the shader's rates.
#include "model_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace model;

namespace {

const double kPi = 3.14159265358979323846;

struct Gear {
    const char* name;
    std::vector<std::pair<int, int>> records;  // record ranges holding it
    const double* centre;
    double zMin, zMax;  // the depth band of its teeth, to tell it from parts on the same arbor
    int teeth;
    std::function<double(double)> angle;
};

// Real vertices of a gear whose depth lies in the band.
std::vector<P3> vertices(const Gear& g) {
    std::vector<P3> out;
    for (auto [a, b] : g.records)
        for (int t = firstTriangle(a); t <= lastTriangle(b); ++t) {
            const Triangle& tri = clockMesh().tris[t];
            if (tri.degenerate()) continue;
            for (const P3& p : tri.p)
                if (p.z >= g.zMin - 1e-6 && p.z <= g.zMax + 1e-6) out.push_back(p);
        }
    return out;
}

// Depth of the gear's front face.
double faceZ(const Gear& g) {
    double z = -1e9;
    for (const P3& p : vertices(g)) z = std::max(z, p.z);
    return z;
}

double tipRadius(const Gear& g) {
    double r = 0;
    for (const P3& p : vertices(g)) r = std::max(r, radius(p, g.centre[0], g.centre[1]));
    return r;
}

// Counts the separate tooth tips: vertices near the tip circle, grouped by angle.
int countTips(const Gear& g) {
    double tip = tipRadius(g);
    std::vector<double> a;
    for (const P3& p : vertices(g))
        if (radius(p, g.centre[0], g.centre[1]) > tip - 0.03) a.push_back(std::atan2(p.y - g.centre[1], p.x - g.centre[0]));
    std::sort(a.begin(), a.end());
    if (a.empty()) return 0;
    int clusters = 0;
    double gap = kPi / g.teeth;  // half a pitch
    for (size_t i = 0; i < a.size(); ++i) {
        double next = i + 1 < a.size() ? a[i + 1] : a[0] + 2 * kPi;
        if (next - a[i] > gap) ++clusters;
    }
    return clusters;
}

// The gear's top face as filled cells on a fine grid in its own frame.
struct Footprint {
    double x0, y0, cell;
    int nx, ny;
    std::vector<char> fill;
    bool solid(double x, double y) const {
        int i = static_cast<int>(std::floor((x - x0) / cell)), j = static_cast<int>(std::floor((y - y0) / cell));
        // Inside only when the cell and its neighbours are filled: a touch
        // along an edge does not count, an overlap does.
        for (int dj = -1; dj <= 1; ++dj)
            for (int di = -1; di <= 1; ++di) {
                int a = i + di, b = j + dj;
                if (a < 0 || b < 0 || a >= nx || b >= ny || !fill[static_cast<size_t>(b) * nx + a]) return false;
            }
        return true;
    }
};

Footprint footprint(const Gear& g, double cell) {
    double tip = tipRadius(g);
    double front = faceZ(g);
    Footprint f{-tip, -tip, cell, static_cast<int>(2 * tip / cell) + 2, static_cast<int>(2 * tip / cell) + 2, {}};
    f.fill.assign(static_cast<size_t>(f.nx) * f.ny, 0);
    for (auto [a, b] : g.records)
        for (int t = firstTriangle(a); t <= lastTriangle(b); ++t) {
            const Triangle& tri = clockMesh().tris[t];
            if (tri.degenerate() || tri.n[0].z < 0.99) continue;
            if (std::abs(tri.p[0].z - front) > 1e-3) continue;  // the front face only
            double px[3], py[3];
            for (int k = 0; k < 3; ++k) px[k] = tri.p[k].x - g.centre[0], py[k] = tri.p[k].y - g.centre[1];
            double bx0 = std::min({px[0], px[1], px[2]}), bx1 = std::max({px[0], px[1], px[2]});
            double by0 = std::min({py[0], py[1], py[2]}), by1 = std::max({py[0], py[1], py[2]});
            double area = (px[1] - px[0]) * (py[2] - py[0]) - (px[2] - px[0]) * (py[1] - py[0]);
            if (area == 0) continue;
            for (int j = std::max(0, int((by0 - f.y0) / cell)); j <= std::min(f.ny - 1, int((by1 - f.y0) / cell) + 1); ++j)
                for (int i = std::max(0, int((bx0 - f.x0) / cell)); i <= std::min(f.nx - 1, int((bx1 - f.x0) / cell) + 1); ++i) {
                    double x = f.x0 + (i + 0.5) * cell, y = f.y0 + (j + 0.5) * cell;
                    double w0 = ((px[1] - x) * (py[2] - y) - (px[2] - x) * (py[1] - y)) / area;
                    double w1 = ((px[2] - x) * (py[0] - y) - (px[0] - x) * (py[2] - y)) / area;
                    if (w0 >= 0 && w1 >= 0 && w0 + w1 <= 1) f.fill[static_cast<size_t>(j) * f.nx + i] = 1;
                }
        }
    return f;
}

// Front-face outline points of a gear near the other gear, densified along edges.
std::vector<P3> contactPoints(const Gear& g, const Gear& other, double otherTip) {
    std::vector<P3> pts;
    double front = faceZ(g);
    for (auto [a, b] : g.records)
        for (int t = firstTriangle(a); t <= lastTriangle(b); ++t) {
            const Triangle& tri = clockMesh().tris[t];
            if (tri.degenerate() || tri.n[0].z < 0.99 || std::abs(tri.p[0].z - front) > 1e-3) continue;
            for (int k = 0; k < 3; ++k)
                for (int s = 0; s < 4; ++s) {
                    const P3 &p = tri.p[k], &q = tri.p[(k + 1) % 3];
                    P3 m{p.x + (q.x - p.x) * s / 4, p.y + (q.y - p.y) * s / 4, p.z};
                    if (radius(m, other.centre[0], other.centre[1]) < otherTip + 0.05) pts.push_back(m);
                }
        }
    return pts;
}

// Counts points of `a` that lie inside `b` at any of the sampled times.
int overlaps(const Gear& a, const Gear& b, double t0, double t1, int steps) {
    Footprint fb = footprint(b, 0.004);
    std::vector<P3> pts = contactPoints(a, b, tipRadius(b));
    int hits = 0;
    for (int s = 0; s <= steps; ++s) {
        double t = t0 + (t1 - t0) * s / steps;
        for (const P3& p : pts) {
            P3 w = turn(p, a.centre[0], a.centre[1], a.angle(t));
            // Into b's own frame: undo b's turn.
            P3 l = turn(w, b.centre[0], b.centre[1], -b.angle(t));
            hits += fb.solid(l.x - b.centre[0], l.y - b.centre[1]);
        }
    }
    return hits;
}

Gear escapeWheel() { return {"escape wheel", {{79443, 97487}}, kEscape, 1.5, 2.0, 30, angles::escape}; }
Gear escapePinion() { return {"escape pinion", {{77331, 79442}}, kEscape, 0.55, 1.4, 16, angles::escape}; }
Gear thirdWheel() { return {"third wheel", {{66675, 77282}}, kThird, 0.75, 1.2, 60, angles::third}; }
Gear thirdPinion() { return {"third pinion", {{43311, 45362}}, kThird, -0.25, 0.65, 15, angles::third}; }
Gear fourthWheel() { return {"fourth wheel", {{45363, 55970}}, kFourth, -0.05, 0.4, 60, angles::fourth}; }
Gear fourthPinion() { return {"fourth pinion", {{41259, 43309}}, kFourth, -1.05, -0.2, 15, angles::fourth}; }
Gear centreWheel() { return {"centre wheel", {{56031, 66626}}, kThird, -0.85, -0.4, 60, angles::centre}; }
Gear centre22() { return {"centre 22", {{35037, 40388}}, kThird, 3.4, 3.8, 22, angles::centre}; }
Gear top22() { return {"top 22", {{32987, 35035}}, kTop, 3.4, 3.8, 22, angles::top}; }
Gear centre32() { return {"centre 32", {{23697, 29377}}, kThird, 4.2, 4.6, 32, angles::centre}; }
Gear idlerPinion() { return {"idler pinion", {{14811, 22736}}, kIdler, 4.05, 4.8, 8, angles::idler}; }

}  // namespace

TEST(GearTrain, ToothCountsAreThoseOfTheShaderRatios) {
    for (const Gear& g : {escapeWheel(), escapePinion(), thirdWheel(), thirdPinion(), fourthWheel(), fourthPinion(),
                          centreWheel(), centre22(), top22(), centre32(), idlerPinion()}) {
        EXPECT_EQ(countTips(g), g.teeth) << g.name;
    }
}

TEST(GearTrain, MeshingPairsHaveTheirPitchRadiiAndEngage) {
    struct Pair {
        Gear a, b;
    };
    const Pair pairs[] = {{escapePinion(), thirdWheel()}, {thirdPinion(), fourthWheel()}, {fourthPinion(), centreWheel()},
                          {centre22(), top22()},          {centre32(), idlerPinion()}};
    for (const Pair& p : pairs) {
        SCOPED_TRACE(std::string(p.a.name) + " with " + p.b.name);
        double d = std::hypot(p.a.centre[0] - p.b.centre[0], p.a.centre[1] - p.b.centre[1]);
        double module = 2 * d / (p.a.teeth + p.b.teeth);
        EXPECT_NEAR(module, 0.2315, 0.004);
        for (const Gear* g : {&p.a, &p.b}) {
            double pitch = module * g->teeth / 2;
            double tip = tipRadius(*g);
            // The tip stands outside the pitch circle by an addendum.
            EXPECT_GT(tip, pitch + 0.3 * module) << g->name;
            EXPECT_LT(tip, pitch + 1.5 * module) << g->name;
        }
        // Teeth reach well into each other's spaces.
        EXPECT_GT(tipRadius(p.a) + tipRadius(p.b), d + 0.6 * module);
        // And the pair shares a depth layer.
        EXPECT_LT(std::max(p.a.zMin, p.b.zMin), std::min(p.a.zMax, p.b.zMax));
    }
}

TEST(GearTrain, MeshingTeethNeverOverlapAsTheyTurn) {
    struct Pair {
        Gear a, b;
    };
    // A pinion's leaves are the same all along it, so its front face stands
    // for the part that lies in the wheel's layer.
    const Pair pairs[] = {{escapePinion(), thirdWheel()}, {thirdPinion(), fourthWheel()}, {fourthPinion(), centreWheel()},
                          {centre22(), top22()},          {centre32(), idlerPinion()}};
    for (const Pair& p : pairs) {
        SCOPED_TRACE(std::string(p.a.name) + " with " + p.b.name);
        // Two tooth pitches of the first gear, starting at iTime 0.
        double rate = std::abs(p.a.angle(1.0));
        double span = 2 * (2 * kPi / p.a.teeth) / rate;
        EXPECT_EQ(overlaps(p.a, p.b, 0, span, 120), 0);
        EXPECT_EQ(overlaps(p.b, p.a, 0, span, 120), 0);
    }
}

TEST(GearTrain, TheOverlapCheckSeesAMisalignedPair) {
    // Half a tooth out of phase the same pair must collide: the check works.
    Gear a = centre22(), b = top22();
    auto turned = a.angle;
    a.angle = [turned](double t) { return turned(t) + kPi / 22; };
    EXPECT_GT(overlaps(a, b, 0, 1, 1), 0);
}
