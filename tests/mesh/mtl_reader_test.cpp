// Reading MTL text, alone and through the OBJ text that names its materials.
#include "mesh_test_support.h"

#include <gtest/gtest.h>

using namespace wavefront;

namespace {

std::vector<Material> readMaterials(const std::string& mtl)
{
    meshtest::setTexts("", mtl);
    ObjReader r;
    EXPECT_TRUE(r.readMaterials(meshtest::kMtlId));
    return r.materials;
}

TEST(MtlReader, CarriageReturnAfterTheNameIsDroppedSoUsemtlFindsIt)
{
    const std::string obj = "mtllib a.mtl\r\nv 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\ng P\r\nusemtl wire_198225087\r\nf 1 2 3\r\n";
    const ObjReader r = meshtest::load(obj, "newmtl wire_198225087\r\nKd 0.5 0.25 1\r\n");
    ASSERT_EQ(r.meshes.size(), 1u);
    EXPECT_EQ(r.meshes[0].material.name, "wire_198225087");
    EXPECT_EQ(r.meshes[0].material.Kd.y, 0.25f);
}

TEST(MtlReader, ColourLinesNeedExactlyThreeValues)
{
    const auto m = readMaterials("newmtl A\r\nKa 0.1 0.2 0.3\r\nKd 0.4 0.5 0.6 \r\nKs 1 1\nKs 0.7 0.8 0.9 1\n");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].Ka == (Vector3{0.1f, 0.2f, 0.3f})) << "a carriage return after the last value is harmless";
    EXPECT_TRUE(m[0].Kd == Vector3{}) << "a blank before the carriage return makes a fourth piece";
    EXPECT_TRUE(m[0].Ks == Vector3{});
}

TEST(MtlReader, TextWithoutNewmtlAddsOneDefaultMaterial)
{
    const auto m = readMaterials("# only a comment\nKa 1 1 1\n");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].name, "");
    EXPECT_TRUE(m[0].Ka == (Vector3{1, 1, 1}));
    EXPECT_EQ(m[0].d, 0.0f);
    EXPECT_EQ(m[0].Ns, 0.0f);
    EXPECT_EQ(readMaterials("").size(), 1u);
}

TEST(MtlReader, EveryFieldAndMaterialsInReadingOrder)
{
    const auto m = readMaterials("newmtl Material__26\nNs 10\nNi 1.5\nd 1\nillum 2\nKa 0.388 0.388 0.388\n"
                                 "Kd 0.7 0 0\nKs 0 0 0\nTr 0\nTf 1 1 1\nKe 1 1 1\nmap_Ka a.bmp\nmap_Kd b.bmp\r\n"
                                 "map_Ks c\nmap_Ns d\nmap_d e\nmap_Bump f\n"
                                 "newmtl\nbump g\nnewmtl   \nmap_bump h\n");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].name, "Material__26");
    EXPECT_EQ(m[0].Ns, 10.0f);
    EXPECT_EQ(m[0].Ni, 1.5f);
    EXPECT_EQ(m[0].d, 1.0f);
    EXPECT_EQ(m[0].illum, 2);
    EXPECT_TRUE(m[0].Ka == (Vector3{0.388f, 0.388f, 0.388f}));
    EXPECT_TRUE(m[0].Kd == (Vector3{0.7f, 0, 0}));
    EXPECT_EQ(m[0].map_Ka, "a.bmp");
    EXPECT_EQ(m[0].map_Kd, "b.bmp\r") << "map lines keep their carriage return";
    EXPECT_EQ(m[0].map_Ks, "c");
    EXPECT_EQ(m[0].map_Ns, "d");
    EXPECT_EQ(m[0].map_d, "e");
    EXPECT_EQ(m[0].map_bump, "f");
    // "newmtl" lines of seven characters or fewer name their material "none".
    EXPECT_EQ(m[1].name, "none");
    EXPECT_EQ(m[1].map_bump, "g");
    EXPECT_EQ(m[2].name, "");
    EXPECT_EQ(m[2].map_bump, "h");
}

TEST(MtlReader, FirstMaterialOfANameWins)
{
    const std::string obj = "mtllib a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl M\nf 1 2 3\n";
    const ObjReader r = meshtest::load(obj, "newmtl M\nNs 1\nnewmtl M\nNs 2\n");
    ASSERT_EQ(r.meshes.size(), 1u);
    EXPECT_EQ(r.meshes[0].material.Ns, 1.0f);
}

} // namespace
