#include "render/math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

Vec4 apply(const Mat4& m, float x, float y, float z, float w = 1.0f) { return m * Vec4(x, y, z, w); }

TEST(Math, RadiansUsesTheExactSinglePrecisionFactor)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &kDegreesToRadians, 4);
    EXPECT_EQ(bits, 0x3C8EFA35u);
    EXPECT_EQ(radians(180.0f), 180.0f * 0.017453292f);
}

TEST(Math, PerspectiveValues)
{
    const Mat4 p = perspective(50.0f, 1.0f, 0.1f, 1000.0f);
    EXPECT_NEAR(p[0][0], 2.1445069f, 1e-6f);
    EXPECT_NEAR(p[1][1], 2.1445069f, 1e-6f);
    EXPECT_NEAR(p[2][2], -1.0002f, 1e-6f);
    EXPECT_NEAR(p[3][2], -0.20002f, 1e-6f);
    EXPECT_EQ(p[2][3], -1.0f);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            const bool used = (c == r && c < 3) || (c == 3 && r == 2) || (c == 2 && r == 3);
            if (!used) {
                EXPECT_EQ(p[c][r], 0.0f) << c << "," << r;
            }
        }
    }
    EXPECT_NEAR(perspective(50.0f, 1920.0f / 1080.0f, 0.1f, 1000.0f)[0][0], 1.2062851f, 1e-6f);
}

TEST(Math, RotateNinetyAboutZ)
{
    const Vec4 v = apply(rotate(90.0f, 0.0f, 0.0f, 1.0f), 1.0f, 0.0f, 0.0f);
    EXPECT_NEAR(v[0], 0.0f, 1e-7f);  // cos 90° is about −4.4e-8 in single precision
    EXPECT_NEAR(v[1], 1.0f, 1e-7f);
    EXPECT_EQ(v[2], 0.0f);
    // The Vec3 form passes the axis through.
    const Mat4 a = rotate(33.0f, Vec3(0.0f, 1.0f, 0.0f));
    const Mat4 b = rotate(33.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_EQ(std::memcmp(a.data(), b.data(), sizeof(Mat4)), 0);
}

TEST(Math, TranslateAndProductOrder)
{
    const Vec4 moved = apply(translate(1.0f, 2.0f, 3.0f), 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(moved[0], 1.0f);
    EXPECT_EQ(moved[1], 2.0f);
    EXPECT_EQ(moved[2], 3.0f);
    EXPECT_EQ(moved[3], 1.0f);
    // translate × rotate: the point is rotated first, then moved.
    const Vec4 p = apply(translate(10.0f, 0.0f, 0.0f) * rotate(90.0f, 0.0f, 0.0f, 1.0f), 1.0f, 0.0f, 0.0f);
    EXPECT_NEAR(p[0], 10.0f, 1e-6f);
    EXPECT_NEAR(p[1], 1.0f, 1e-6f);
    // Column-major storage: the translation sits in floats 12..14.
    const Mat4 t = translate(Vec3(4.0f, 5.0f, 6.0f));
    EXPECT_EQ(t.data()[12], 4.0f);
    EXPECT_EQ(t.data()[13], 5.0f);
    EXPECT_EQ(t.data()[14], 6.0f);
}

TEST(Math, ProductMayOverwriteAnOperand)
{
    Mat4 m = rotate(30.0f, 0.0f, 0.0f, 1.0f);
    const Mat4 expected = m * m;
    m = m * m;
    EXPECT_EQ(std::memcmp(m.data(), expected.data(), sizeof(Mat4)), 0);
}

TEST(Math, LookAtFromTheFront)
{
    const Mat4 v = lookAt(Vec3(0, 0, 100), Vec3(0, 0, 0), Vec3(0, 1, 0));
    const Vec4 origin = apply(v, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(origin[0], 0.0f);
    EXPECT_EQ(origin[1], 0.0f);
    EXPECT_EQ(origin[2], -100.0f);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            EXPECT_EQ(v[c][r], c == r ? 1.0f : 0.0f);
        }
    }
}

TEST(Math, LookAtDoesNotRenormaliseASlantedUp)
{
    // up at 45° to the viewing direction: s and u come out shorter than 1.
    const Mat4 v = lookAt(Vec3(0, 0, 0), Vec3(0, 0, -1), Vec3(0, 1, -1));
    const float sLength = std::sqrt(v[0][0] * v[0][0] + v[1][0] * v[1][0] + v[2][0] * v[2][0]);
    const float uLength = std::sqrt(v[0][1] * v[0][1] + v[1][1] * v[1][1] + v[2][1] * v[2][1]);
    EXPECT_NEAR(sLength, std::sqrt(0.5f), 1e-6f);
    EXPECT_LT(uLength, 0.99f);
}

TEST(Math, VectorOperations)
{
    const Vec3 a(1, 2, 3);
    const Vec3 b(4, 5, 6);
    const Vec3 c = cross(a, b);
    EXPECT_EQ(c[0], -3.0f);
    EXPECT_EQ(c[1], 6.0f);
    EXPECT_EQ(c[2], -3.0f);
    EXPECT_EQ(length(Vec3(3, 4, 0)), 5.0f);
    const Vec3 n = normalize(Vec3(0, 0, -7));
    EXPECT_EQ(n[2], -1.0f);
    const Vec3 zero = normalize(Vec3(0, 0, 0));
    EXPECT_TRUE(std::isnan(zero[0]) && std::isnan(zero[1]) && std::isnan(zero[2]));
    const Vec3 s = (a + b) * 2.0f - (-a) / 1.0f;
    EXPECT_EQ(s[0], 11.0f);
    EXPECT_EQ(s[2], 21.0f);
    const Vec2 d = Vec2(3, 4) - Vec2(1, 1);
    EXPECT_EQ(d[0], 2.0f);
    EXPECT_EQ(d[1], 3.0f);
}

} // namespace
