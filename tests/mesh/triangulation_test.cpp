// Ear clipping of polygon faces and the point-in-triangle test behind it.
#include "mesh/face_builder.h"

#include <gtest/gtest.h>

using namespace wavefront;

namespace {

using Indices = std::vector<std::uint32_t>;

std::vector<Vertex> polygon(std::initializer_list<Vector3> corners)
{
    std::vector<Vertex> face;
    for (const Vector3& p : corners)
        face.push_back(Vertex{p, {}, {}});
    return face;
}

Indices triangulate(const std::vector<Vertex>& face)
{
    Indices out{99};  // stale content must go
    triangulatePolygon(out, face);
    return out;
}

TEST(Triangulation, TrianglesAndSmallerFaces)
{
    EXPECT_EQ(triangulate(polygon({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})), (Indices{0, 1, 2}));
    EXPECT_EQ(triangulate(polygon({{0, 0, 0}, {1, 0, 0}})), Indices{});
    EXPECT_EQ(triangulate({}), Indices{});
}

TEST(Triangulation, ConvexQuadSplitsAlongItsFirstCorner)
{
    EXPECT_EQ(triangulate(polygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})), (Indices{0, 1, 3, 1, 2, 3}));
}

TEST(Triangulation, ConvexPentagonClipsFromTheStartAndEndsWithTheQuadRule)
{
    const auto face = polygon({{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 2, 0}, {-1, 1, 0}});
    EXPECT_EQ(triangulate(face), (Indices{0, 1, 4, 1, 2, 4, 2, 3, 4}));
}

TEST(Triangulation, CornerEnclosingAnotherVertexIsNoEar)
{
    // Corner 3 points into the outline: the triangles at corners 0 and 1
    // enclose it, so the first ear is at corner 2.
    const auto face = polygon({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {1, 0.5f, 0}, {0, 2, 0}});
    const Indices out = triangulate(face);
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ((Indices{out[0], out[1], out[2]}), (Indices{1, 2, 3}));
    EXPECT_EQ(out.size(), 9u);
}

TEST(Triangulation, CollinearOutlineHasNoEar)
{
    EXPECT_EQ(triangulate(polygon({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}})), Indices{});
}

TEST(Triangulation, StopsWhenAPassFindsNoEarAfterEarlierClips)
{
    // A self-intersecting outline: one ear, then every corner is blocked. The
    // clipped triangle is kept and the clipping ends.
    const auto face = polygon({{2, 1, 0}, {3, 0, 0}, {2, 2, 0}, {2, 0, 0}, {1, 3, 0}, {3, 3, 0}, {1, 1, 0}});
    EXPECT_EQ(triangulate(face), (Indices{0, 1, 6}));
}

TEST(Triangulation, RepeatedPositionsStillGiveWholeTrianglesOfTheFace)
{
    const auto face = polygon({{0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 1, 0}, {0, 0, 0}, {0, 1, 0}, {1, 0, 0}});
    const Indices out = triangulate(face);
    EXPECT_EQ(out.size() % 3, 0u);
    EXPECT_LE(out.size(), 3u * (face.size() - 2));
    for (std::uint32_t i : out)
        EXPECT_LT(i, face.size());
    const auto same = polygon({{5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}, {5, 5, 5}});
    EXPECT_EQ(triangulate(same).size(), 3u * (same.size() - 2));
}

TEST(PointInTriangle, EdgesAndCornersCountAsInside)
{
    const Vector3 a{0, 0, 0}, b{4, 0, 0}, c{0, 4, 0};
    EXPECT_TRUE(pointInTriangle({1, 1, 0}, a, b, c));
    EXPECT_TRUE(pointInTriangle({2, 0, 0}, a, b, c));
    EXPECT_TRUE(pointInTriangle({2, 2, 0}, a, b, c));
    EXPECT_TRUE(pointInTriangle(b, a, b, c));
    EXPECT_FALSE(pointInTriangle({3, 3, 0}, a, b, c));
    EXPECT_FALSE(pointInTriangle({-0.5f, 1, 0}, a, b, c));
    EXPECT_TRUE(pointInTriangle({1, 1, 7}, a, b, c)) << "the distance from the plane is not tested";
}

} // namespace
