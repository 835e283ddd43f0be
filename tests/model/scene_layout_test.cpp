// The model suits the scene's three cameras, and the textures are what the
// texture loader expects.
#include "model_support.h"

#include "platform/resources.h"

#include <gtest/gtest.h>

using namespace model;

namespace {

bool inPendulum(int record) { return record >= 101082 && record <= 120218; }

}  // namespace

TEST(SceneLayout, OnlyThePendulumHangsInTheBottomThird) {
    // Below model x = 25 the main view's lower third belongs to the insets
    // except its middle: only the pendulum may be there, within the middle.
    const auto& tris = clockMesh().tris;
    for (size_t t = 0; t < tris.size(); ++t)
        for (const P3& p : tris[t].p) {
            if (p.x <= 24.0) continue;
            ASSERT_TRUE(inPendulum(static_cast<int>(t * 3))) << "triangle " << t;
            for (double a : {-0.075, 0.075}) {
                P3 q = turn(p, kPendulum[0], kPendulum[1], a);
                ASSERT_LT(std::abs(q.y), 20.0);
            }
        }
    for (const Triangle& t : bodyMesh().tris)
        for (const P3& p : t.p) ASSERT_LE(p.x, 24.0);
    // The bob hangs in that free middle.
    double x = 0;
    int n = 0;
    for (int t = firstTriangle(101082); t <= lastTriangle(102414); ++t)
        for (const P3& p : tris[t].p) x += p.x, ++n;
    EXPECT_NEAR(x / n, 33.0, 1.5);
}

TEST(SceneLayout, NothingAtTheLowerLeftInsetsEye) {
    const P3 eye{-10.2, 1.4, 7.9};
    const double margin = 0.2;
    for (const LoadedMesh* m : {&clockMesh(), &bodyMesh()})
        for (size_t t = 0; t < m->tris.size(); ++t) {
            const Triangle& tri = m->tris[t];
            double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
            for (const P3& p : tri.p) {
                const double c[3] = {p.x, p.y, p.z};
                for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], c[k]), hi[k] = std::max(hi[k], c[k]);
            }
            const double e[3] = {eye.x, eye.y, eye.z};
            bool inside = true;
            for (int k = 0; k < 3; ++k) inside = inside && e[k] >= lo[k] - margin && e[k] <= hi[k] + margin;
            ASSERT_FALSE(inside) << "triangle " << t;
        }
    // The turning hands sweep circles that stay inside the eye's distance.
    double eyeRadius = radius(eye, kHands[0], kHands[1]);
    for (int t = firstTriangle(13971); t <= lastTriangle(14810); ++t)
        for (const P3& p : clockMesh().tris[t].p) ASSERT_LT(radius(p, kHands[0], kHands[1]), eyeRadius - 0.5);
}

TEST(Textures, AreSquare24BitUncompressedBitmaps) {
    for (int id : {167, 168}) {
        ResourceBytes b = findResource(id, kBitmapType);
        ASSERT_TRUE(b) << id;
        ASSERT_EQ(b.size, 54u + 512u * 512u * 3u);
        auto le32 = [&](size_t o) { return b.data[o] | (b.data[o + 1] << 8) | (b.data[o + 2] << 16) | (unsigned(b.data[o + 3]) << 24); };
        EXPECT_EQ(b.data[0], 'B');
        EXPECT_EQ(b.data[1], 'M');
        EXPECT_EQ(le32(18), 512u);
        EXPECT_EQ(le32(22), 512u);  // positive height: bottom row first
        EXPECT_EQ(b.data[28] | (b.data[29] << 8), 24);
        EXPECT_EQ(le32(30), 0u);  // no compression
        double sum[3] = {0, 0, 0};
        for (size_t i = 0; i < 512u * 512u; ++i)
            for (int k = 0; k < 3; ++k) sum[k] += b.data[54 + i * 3 + (2 - k)] / 255.0;  // stored blue, green, red
        for (double& s : sum) s /= 512.0 * 512.0;
        if (id == 167) {
            EXPECT_LT(sum[0], 0.3) << "dark";
            EXPECT_NEAR(sum[0], sum[2], 0.03) << "grey";
        } else {
            EXPECT_GT(sum[0], sum[1]) << "brass is warm";
            EXPECT_GT(sum[1], sum[2]);
            EXPECT_GT(sum[0], 0.5);
        }
    }
}
