// Reading OBJ text: vertices, faces, groups, materials by position, progress.
#include "mesh_test_support.h"

#include <gtest/gtest.h>

using namespace wavefront;
using meshtest::load;

namespace {

using Indices = std::vector<std::uint32_t>;

const char kTriangle[] = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

bool same(const Vector3& a, const Vector3& b)
{
    return a == b;
}

TEST(ObjReader, TwoBlanksAfterTheKeywordAndATrailingBlankChangeNothing)
{
    const ObjReader r = load("v  -2.5000 2.3698 0.0000\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1 \n");
    ASSERT_EQ(r.meshes.size(), 1u);
    ASSERT_EQ(r.meshes[0].vertices.size(), 3u);
    EXPECT_TRUE(same(r.meshes[0].vertices[0].position, {-2.5f, 2.3698f, 0.0f}));
    EXPECT_EQ(r.meshes[0].indices, (Indices{0, 1, 2}));
}

TEST(ObjReader, TextureCoordinateKeepsTwoValues)
{
    const ObjReader r = load(std::string(kTriangle) + "vt 0.0000 1.0000 0.0000\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n");
    ASSERT_EQ(r.vertices.size(), 3u);
    EXPECT_EQ(r.vertices[0].texCoord.x, 0.0f);
    EXPECT_EQ(r.vertices[0].texCoord.y, 1.0f);
}

TEST(ObjReader, CrlfReadsLikeLf)
{
    const std::string lf = "# c\nmtllib m\ng Part\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 1\n"
                           "vn 0 -0 1\nusemtl M\nf 1/1/1 2/2/1 3/1/1 4/2/1\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string mtl = "newmtl M\nKd 1 0.5 0.25\n";
    const ObjReader a = load(lf, mtl);
    const ObjReader b = load(crlf, mtl);
    ASSERT_EQ(a.meshes.size(), 1u);
    ASSERT_EQ(b.meshes.size(), 1u);
    EXPECT_EQ(b.meshes[0].name, "Part");
    EXPECT_EQ(b.meshes[0].material.name, "M");
    EXPECT_EQ(a.indices, b.indices);
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (std::size_t i = 0; i < a.vertices.size(); ++i) {
        EXPECT_TRUE(same(a.vertices[i].position, b.vertices[i].position));
        EXPECT_TRUE(same(a.vertices[i].normal, b.vertices[i].normal));
        EXPECT_EQ(a.vertices[i].texCoord.y, b.vertices[i].texCoord.y);
    }
}

TEST(ObjReader, TriangleFilesGiveEachMeshTheIdentityIndices)
{
    const ObjReader r = load(std::string(kTriangle) + "vt 0 0\nvn 0 0 1\ng A\nf 1/1/1 2/1/1 3/1/1\nf 3/1/1 2/1/1 1/1/1\n"
                             "g B\nf 1/1/1 2/1/1 3/1/1\n");
    ASSERT_EQ(r.meshes.size(), 2u);
    EXPECT_EQ(r.meshes[0].indices, (Indices{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(r.meshes[1].indices, (Indices{0, 1, 2}));
    EXPECT_EQ(r.indices, (Indices{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(r.vertices.size(), 9u);
}

TEST(ObjReader, NegativeIndicesCountBackAndPositionOnlyFacesGetTheFaceNormal)
{
    const ObjReader r = load("v 9 9 9\nv 0 0 0\nv 2 0 0\nv 0 3 0\nf -3 -2 -1\n");
    ASSERT_EQ(r.vertices.size(), 3u);
    EXPECT_TRUE(same(r.vertices[0].position, {0, 0, 0}));
    EXPECT_TRUE(same(r.vertices[2].position, {0, 3, 0}));
    // (P0 - P1) x (P2 - P1) = (-2, 0, 0) x (-2, 3, 0), not normalised here.
    for (const Vertex& v : r.vertices) {
        EXPECT_TRUE(same(v.normal, {0, 0, -6}));
        EXPECT_EQ(v.texCoord.x, 0.0f);
        EXPECT_EQ(v.texCoord.y, 0.0f);
    }
}

TEST(ObjReader, PositionAndNormalFormHasNoTextureCoordinate)
{
    const ObjReader r = load(std::string(kTriangle) + "vt 0.5 0.5\nvn 1 0 0\nvn 0 0 1\nf 1//2 2//2 3//2\n");
    ASSERT_EQ(r.vertices.size(), 3u);
    EXPECT_TRUE(same(r.vertices[0].normal, {0, 0, 1}));
    EXPECT_EQ(r.vertices[0].texCoord.x, 0.0f);
}

TEST(ObjReader, OneElementWithoutNormalGivesTheWholeFaceTheFaceNormal)
{
    const ObjReader r = load(std::string(kTriangle) + "vt 0 0\nvn 5 5 5\nf 1/1/1 2/1 3/1/1\n");
    ASSERT_EQ(r.vertices.size(), 3u);
    for (const Vertex& v : r.vertices)
        EXPECT_TRUE(same(v.normal, {0, 0, -1}));
}

TEST(ObjReader, GroupsNameMeshesAndTheIthMaterialGoesToTheIthMesh)
{
    const std::string obj = std::string("mtllib any.mtl\n") + kTriangle +
                            "o A\ng A\nusemtl M1\nf 1 2 3\n"
                            "o B\ng B\nusemtl M2\nf 1 2 3\nf 1 2 3\n"
                            "o C\ng C\nusemtl M1\nf 3 2 1\n";
    const ObjReader r = load(obj, "newmtl M1\nNs 1\nnewmtl M2\nNs 2\n");
    ASSERT_EQ(r.meshes.size(), 3u);
    EXPECT_EQ(r.meshes[0].name, "A");
    EXPECT_EQ(r.meshes[1].name, "B");
    EXPECT_EQ(r.meshes[2].name, "C");
    EXPECT_EQ(r.meshes[0].material.Ns, 1.0f);
    EXPECT_EQ(r.meshes[1].material.Ns, 2.0f);
    EXPECT_EQ(r.meshes[1].vertices.size(), 6u);
    EXPECT_EQ(r.meshes[2].material.name, "M1");
}

TEST(ObjReader, SecondMaterialInOneGroupClosesTheFirstPartUnderASuffix)
{
    const std::string obj = std::string("mtllib m\n") + kTriangle + "g X\nusemtl M1\nf 1 2 3\nusemtl M2\nf 3 2 1\nf 1 2 3\n";
    const ObjReader r = load(obj, "newmtl M1\nNs 1\nnewmtl M2\nNs 2\n");
    ASSERT_EQ(r.meshes.size(), 2u);
    EXPECT_EQ(r.meshes[0].name, "X_2");
    EXPECT_EQ(r.meshes[0].material.name, "M1");
    EXPECT_EQ(r.meshes[0].vertices.size(), 3u);
    EXPECT_EQ(r.meshes[1].name, "X");
    EXPECT_EQ(r.meshes[1].material.name, "M2");
    EXPECT_EQ(r.meshes[1].vertices.size(), 6u);
}

TEST(ObjReader, MaterialsGoByPositionNotByTheLineBeforeTheFaces)
{
    // Mesh A's faces come before any "usemtl"; the first name still goes to A.
    const std::string obj = std::string("mtllib m\n") + kTriangle + "g A\nf 1 2 3\ng B\nusemtl M2\nf 1 2 3\n";
    const ObjReader r = load(obj, "newmtl M1\nnewmtl M2\nNs 2\n");
    ASSERT_EQ(r.meshes.size(), 2u);
    EXPECT_EQ(r.meshes[0].material.name, "M2");
    EXPECT_EQ(r.meshes[1].material.name, "");
}

TEST(ObjReader, FirstGroupLineNames)
{
    EXPECT_EQ(load(std::string(kTriangle) + "g\nf 1 2 3\n").meshes.at(0).name, "");
    EXPECT_EQ(load(std::string(kTriangle) + "gx\nf 1 2 3\n").meshes.at(0).name, "unnamed");
    EXPECT_EQ(load(std::string(kTriangle) + "f 1 2 3\n").meshes.at(0).name, "");
    // An empty group is renamed by the next group line.
    EXPECT_EQ(load(std::string(kTriangle) + "g A\ng B\nf 1 2 3\n").meshes.at(0).name, "B");
}

TEST(ObjReader, MtllibReadsTheGivenResourceEachTime)
{
    const ObjReader r = load("mtllib whatever.mtl\nmtllib other.mtl\n", "newmtl M\n");
    ASSERT_EQ(r.materials.size(), 2u);
    EXPECT_EQ(r.materials[1].name, "M");
}

TEST(ObjReader, TextWithoutFacesOrMissingFailsTheLoad)
{
    bool ok = true;
    load("", "", &ok);
    EXPECT_FALSE(ok);
    load("v 0 0 0\nvn 0 0 1\n# nothing else\n", "", &ok);
    EXPECT_FALSE(ok);
    ObjReader r;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(r.loadFromResources(987654, 987655));
    testing::internal::GetCapturedStdout();
}

TEST(ObjReader, UnusableFacesAreSkippedAndLaterOnesStillRead)
{
    const std::string obj = std::string(kTriangle) + "vn 0 0 1\n"
                            "f 0 1 2\n"            // index 0
                            "f 1 2 4\n"            // beyond the positions read
                            "f 1 2 -4\n"           // before the first position
                            "f 1/1 2/1 3/1\n"      // no texture coordinates at all
                            "f 1/1/1/1 2 3\n"      // four parts
                            "f 1 2\n"              // no face normal possible
                            "f x y z\n"            // no numbers
                            "f 1//1  2//1 3//1\n"; // two blanks: an empty element, skipped
    bool ok = false;
    const ObjReader r = load(obj, "", &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(r.meshes.size(), 1u);
    EXPECT_EQ(r.vertices.size(), 3u);
    EXPECT_EQ(r.indices, (Indices{0, 1, 2}));
}

TEST(ObjReader, ShortVertexLinesStillCountWithZeros)
{
    // The "v" line with one value keeps position 2 where later faces expect it.
    const ObjReader r = load("v 0 0 0\nv 7\nv 0 1 0\nvt\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n");
    ASSERT_EQ(r.vertices.size(), 3u);
    EXPECT_TRUE(same(r.vertices[1].position, {7, 0, 0}));
    EXPECT_TRUE(same(r.vertices[2].position, {0, 1, 0}));
}

TEST(ObjReader, MoreMaterialNamesThanMeshesAreIgnored)
{
    const ObjReader r = load(std::string("mtllib m\n") + kTriangle + "usemtl A\nusemtl B\nusemtl C\nf 1 2 3\n",
                             "newmtl A\nnewmtl B\nnewmtl C\n");
    ASSERT_EQ(r.meshes.size(), 1u);
    EXPECT_EQ(r.meshes[0].material.name, "A");
}

TEST(ObjReader, ProgressLinesFollowGroupAndMaterialLines)
{
    meshtest::setTexts(std::string("g Hand\n") + kTriangle + "usemtl Red\nf 1 2 3\n");
    ObjReader r;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(r.loadFromResources(meshtest::kObjId, meshtest::kMtlId));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "\n"
                   "\r- Hand\t| vertices > 0\t| texcoords > 0\t| normals > 0\t| triangles > 0"
                   "\r- Hand\t| vertices > 3\t| texcoords > 0\t| normals > 0\t| triangles > 0\t| material: Red"
                   "\n");
}

} // namespace
