// The clock mesh holds each part in exactly the record range the clock
// program turns it in; the body and second hand have their stated shape.
#include "model_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace model;

namespace {

struct Range {
    const char* part;
    int first, last;
    bool moves;          // degenerate fill sits on the group's centre
    double cx, cy;       // centre the radii are measured from
    double rMin, rMax;   // every real vertex lies in this annulus
    double reachAtLeast; // and the part reaches out at least this far
};

// The parts of the clock mesh and where they must lie (model units).
const Range kClockRanges[] = {
    {"frame and arbors", 0, 2279, false, 2.0, 0.0, 0.0, 22.0, 0.0},
    {"yoke shaft", 2280, 2651, true, -14.83, 0.0, 0.0, 0.25, 0.15},
    {"suspension cock", 2652, 3395, false, -19.8062, 0.04179, 0.0, 5.0, 1.0},
    {"escapement", 3396, 6137, true, -14.83, 0.0, 0.0, 7.0, 4.0},
    {"hour markers", 6138, 8417, false, 2.0, 0.0, 8.0, 11.8, 11.0},
    {"clock face", 8418, 13970, false, 2.0, 0.0, 7.9, 11.9, 11.5},
    {"minute hand", 13971, 14810, true, 2.0, 0.0, 0.0, 11.2, 9.5},
    {"gears 45/46", 14811, 22736, true, 6.60, 0.0, 0.0, 3.3, 2.8},
    {"gear 46 inner", 22737, 23696, true, 6.60, 0.0, 0.0, 1.0, 0.3},
    {"gear 35 centre: 32 wheel", 23697, 29377, true, 1.97, 0.0, 0.0, 4.1, 3.7},
    {"gear 38 inner", 29378, 30452, true, 1.97, 0.0, 0.0, 1.0, 0.3},
    {"motion work bridge", 30453, 32986, false, 2.0, 0.0, 0.0, 6.0, 4.0},
    {"gear 30 top", 32987, 35035, true, -3.12, 0.0, 0.0, 2.95, 2.6},
    {"gear 35 centre: 22 wheel", 35037, 40388, true, 1.97, 0.0, 0.0, 2.95, 2.6},
    {"hour hand", 40389, 41258, true, 2.0, 0.0, 0.0, 8.0, 6.0},
    {"gear 35 bottom: pinion", 41259, 43309, true, 10.66, 0.0, 0.0, 2.0, 1.5},
    {"gears 35/33: pinion", 43311, 45362, true, 1.97, 0.0, 0.0, 2.0, 1.5},
    {"gear 35 bottom: wheel", 45363, 55970, true, 10.66, 0.0, 0.0, 7.35, 7.0},
    {"gear 35 inner bushing", 55971, 56018, false, 1.97, 0.0, 0.0, 1.0, 0.1},
    {"taper pin", 56019, 56030, false, -14.83, 0.0, 0.0, 1.5, 0.1},
    {"gear 35 centre: wheel", 56031, 66626, true, 1.97, 0.0, 0.0, 7.35, 7.0},
    {"bushing", 66627, 66674, false, 10.66, 0.0, 0.0, 1.0, 0.1},
    {"gears 35/33: wheel", 66675, 77282, true, 1.97, 0.0, 0.0, 7.35, 7.0},
    {"bushing", 77283, 77330, false, -6.74, 0.0, 0.0, 1.0, 0.1},
    {"gear 26 pinion", 77331, 79442, true, -6.74, 0.0, 0.0, 2.2, 1.8},
    {"escape wheel", 79443, 97487, true, -6.74, 0.0, 0.0, 5.05, 4.9},
    {"gear 25 inner", 97488, 98501, true, -6.74, 0.0, 0.0, 1.0, 0.3},
    {"escape wheel cock", 98502, 99749, false, -6.74, 0.0, 0.0, 7.0, 3.0},
    {"yoke crutch", 99750, 101081, true, -14.83, 0.0, 0.0, 9.0, 8.0},
    {"pendulum bob", 101082, 102414, true, -19.8062, 0.04179, 47.0, 58.0, 54.0},
    {"pendulum rest", 102415, 118112, true, -19.8062, 0.04179, 0.0, 62.0, 55.0},
    {"pendulum rod", 118113, 118484, true, -19.8062, 0.04179, 0.5, 60.0, 45.0},
    {"pendulum head", 118485, 120218, true, -19.8062, 0.04179, 0.0, 1.6, 0.8},
};

bool isMovingCentre(const Triangle& t, double cx, double cy) {
    return std::abs(t.p[0].x - cx) < 1e-3 && std::abs(t.p[0].y - cy) < 1e-3;
}

}  // namespace

TEST(ClockMesh, HasEveryRecordAsItsOwnFaceCornerInOrder) {
    const auto& r = clockMesh().reader;
    ASSERT_EQ(r.vertices.size(), 120219u);
    ASSERT_EQ(r.indices.size(), 120219u);
    for (size_t i = 0; i < r.indices.size(); ++i) ASSERT_EQ(r.indices[i], i);
    EXPECT_EQ(clockMesh().tris.size(), 40073u);
}

TEST(ClockMesh, EveryRangeHoldsItsOwnPartAroundItsCentre) {
    const auto& tris = clockMesh().tris;
    for (const Range& r : kClockRanges) {
        SCOPED_TRACE(r.part);
        int t0 = firstTriangle(r.first), t1 = lastTriangle(r.last);
        int real = 0, pad = 0;
        double reach = 0;
        for (int t = t0; t <= t1; ++t) {
            if (tris[t].degenerate()) {
                ++pad;
                if (r.moves) {
                    EXPECT_TRUE(isMovingCentre(tris[t], r.cx, r.cy)) << "padding off the centre at triangle " << t;
                }
                continue;
            }
            ++real;
            for (const P3& p : tris[t].p) {
                double d = radius(p, r.cx, r.cy);
                reach = std::max(reach, d);
                ASSERT_GE(d, r.rMin - 1e-4) << "triangle " << t;
                ASSERT_LE(d, r.rMax + 1e-4) << "triangle " << t;
            }
        }
        EXPECT_GT(real, 0) << "range is empty";
        EXPECT_LE(pad * 4, t1 - t0 + 1) << "more than a quarter of the range is padding";
        EXPECT_GE(reach, r.reachAtLeast);
    }
}

TEST(ClockMesh, PaddingIsAtMostATenthOfAllTriangles) {
    int pad = 0;
    for (const Triangle& t : clockMesh().tris) pad += t.degenerate();
    EXPECT_LE(pad * 10, 40073);
    int bodyPad = 0;
    for (const Triangle& t : bodyMesh().tris) bodyPad += t.degenerate();
    EXPECT_LE(bodyPad * 10, 9649);
}

TEST(ClockMesh, TrianglesAcrossGroupBoundariesSitOnTheMovingCentre) {
    struct Straddle {
        int firstRecord;
        double cx, cy;
    };
    // The ranges that do not start on a triangle, and the twice-turned record.
    const Straddle straddles[] = {{32985, -3.12, 0.0}, {35034, -3.12, 0.0}, {43308, 10.66, 0.0},
                                  {37089, 1.97, 0.0},  {29376, 1.97, 0.0},  {102414, -19.8062, 0.04179}};
    for (const Straddle& s : straddles) {
        ASSERT_EQ(s.firstRecord % 3, 0);
        const Triangle& t = clockMesh().tris[s.firstRecord / 3];
        EXPECT_TRUE(t.degenerate()) << s.firstRecord;
        EXPECT_TRUE(isMovingCentre(t, s.cx, s.cy)) << s.firstRecord;
    }
}

TEST(ClockMesh, NormalsAreUnitAndEveryValueFinite) {
    for (const LoadedMesh* m : {&clockMesh(), &bodyMesh(), &secondHandMesh()}) {
        for (const auto& v : m->reader.vertices) {
            const float vals[8] = {v.position.x, v.position.y, v.position.z, v.normal.x,
                                   v.normal.y,   v.normal.z,   v.texCoord.x, v.texCoord.y};
            for (float f : vals) ASSERT_TRUE(std::isfinite(f));
            double n = std::sqrt(double(v.normal.x) * v.normal.x + double(v.normal.y) * v.normal.y + double(v.normal.z) * v.normal.z);
            ASSERT_NEAR(n, 1.0, 1e-4);
        }
    }
}

TEST(ClockMesh, RealTrianglesHaveUsableTextureCoordinates) {
    // Collinear texture coordinates would make the conversion's tangents
    // infinite; every triangle with area must avoid them.
    for (const LoadedMesh* m : {&clockMesh(), &bodyMesh(), &secondHandMesh()}) {
        const auto& v = m->reader.vertices;
        for (size_t i = 0; i + 2 < v.size(); i += 3) {
            if (m->tris[i / 3].degenerate()) continue;
            double d1x = v[i + 1].texCoord.x - v[i].texCoord.x, d1y = v[i + 1].texCoord.y - v[i].texCoord.y;
            double d2x = v[i + 2].texCoord.x - v[i].texCoord.x, d2y = v[i + 2].texCoord.y - v[i].texCoord.y;
            ASSERT_GT(std::abs(d1x * d2y - d2x * d1y), 1e-12) << "triangle " << i / 3;
        }
    }
}

TEST(ClockMesh, MaterialsAreUnlitBrassSteelAndDarkColours) {
    for (const LoadedMesh* m : {&clockMesh(), &bodyMesh()}) {
        ASSERT_FALSE(m->reader.meshes.empty());
        for (const auto& mesh : m->reader.meshes) {
            SCOPED_TRACE(mesh.name);
            EXPECT_FALSE(mesh.material.name.empty());
            EXPECT_EQ(mesh.material.Ks.x, 0.0f);
            EXPECT_EQ(mesh.material.Ks.y, 0.0f);
            EXPECT_EQ(mesh.material.Ks.z, 0.0f);
            EXPECT_EQ(mesh.material.Ns, 10.0f);
        }
    }
}

TEST(BodyMesh, DialPinsAndPlatesInTheirRanges) {
    const auto& r = bodyMesh().reader;
    ASSERT_EQ(r.vertices.size(), 28947u);
    for (size_t i = 0; i < r.indices.size(); ++i) ASSERT_EQ(r.indices[i], i);
    const auto& tris = bodyMesh().tris;
    // The chapter ring: an annulus around the hands' centre.
    for (int t = firstTriangle(18156); t <= lastTriangle(24962); ++t) {
        if (tris[t].degenerate()) continue;
        for (const P3& p : tris[t].p) {
            double d = radius(p, 2.0, 0.0);
            ASSERT_GE(d, 7.9);
            ASSERT_LE(d, 11.9);
        }
    }
    // The translucent rest: flat plates, each much wider than it is thick.
    for (auto [a, b] : {std::pair{6144, 11315}, std::pair{24963, 28946}}) {
        double zMin = 1e9, zMax = -1e9, xMin = 1e9, xMax = -1e9;
        for (int t = firstTriangle(a); t <= lastTriangle(b); ++t)
            for (const P3& p : tris[t].p) {
                zMin = std::min(zMin, p.z), zMax = std::max(zMax, p.z);
                xMin = std::min(xMin, p.x), xMax = std::max(xMax, p.x);
            }
        EXPECT_LT(zMax - zMin, 0.6);
        EXPECT_GT(xMax - xMin, 30.0);
    }
    // Pins and spacers: small turned parts standing along z, none in the
    // dial's ring band in front of the dial.
    for (auto [a, b] : {std::pair{0, 6143}, std::pair{11316, 18155}})
        for (int t = firstTriangle(a); t <= lastTriangle(b); ++t)
            for (const P3& p : tris[t].p) ASSERT_LT(p.z, 8.61);
}

TEST(SecondHand, OneMeshOfTheStatedMaterial) {
    const auto& r = secondHandMesh().reader;
    ASSERT_EQ(r.meshes.size(), 1u);
    const auto& m = r.meshes[0];
    EXPECT_EQ(m.name, "Second_Hand");
    EXPECT_EQ(m.vertices.size(), 996u);
    ASSERT_EQ(m.indices.size(), 996u);
    for (size_t i = 0; i < m.indices.size(); ++i) ASSERT_EQ(m.indices[i], i);
    EXPECT_EQ(m.material.name, "Material__26");
    EXPECT_FLOAT_EQ(m.material.Ka.x, 0.388f);
    EXPECT_FLOAT_EQ(m.material.Ka.y, 0.388f);
    EXPECT_FLOAT_EQ(m.material.Ka.z, 0.388f);
    EXPECT_FLOAT_EQ(m.material.Kd.x, 0.7f);
    EXPECT_EQ(m.material.Kd.y, 0.0f);
    EXPECT_EQ(m.material.Kd.z, 0.0f);
    EXPECT_EQ(m.material.Ks.x, 0.0f);
    EXPECT_EQ(m.material.Ns, 10.0f);
    EXPECT_FLOAT_EQ(m.material.Ni, 1.5f);
    EXPECT_EQ(m.material.d, 1.0f);
    EXPECT_EQ(m.material.illum, 2);
    int pad = 0;
    for (const Triangle& t : secondHandMesh().tris) pad += t.degenerate();
    EXPECT_EQ(pad, 0) << "the second hand is all real geometry";
}
