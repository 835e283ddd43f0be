// Parsed meshes to vertex records: both forms of MeshData and the build tool.
#include "mesh/mesh_attribute_arrays.h"
#include "mesh/mesh_data.h"
#include "mesh_test_support.h"
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

using meshtest::kMtlId;
using meshtest::kObjId;

// One record's attribute, k floats from its start.
const float* record(const MeshData& mesh, int i)
{
    return mesh.vertices + i * kFloatsPerVertex;
}

MeshData* convert(const std::string& obj, const std::string& mtl, float scale)
{
    meshtest::setTexts(obj, mtl);
    testing::internal::CaptureStdout();
    auto* mesh = new MeshData(kObjId, kMtlId, scale);
    testing::internal::GetCapturedStdout();
    return mesh;
}

const char kTwoMeshes[] =
    "mtllib m\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 2\n"
    "g First\nusemtl A\nf 1/1/1 2/2/1 3/3/1\n"
    "g Second\nusemtl B\nf 1/1/1 2/2/1 3/3/1 4/4/1\n";
const char kTwoMaterials[] = "newmtl A\nKa 0.1 0.2 0.3\nKd 0.4 0.5 0.6\nKs 0.7 0.8 0.9\nNs 11\n"
                             "newmtl B\nKa 1 0 0\nKd 0 1 0\nKs 0 0 1\nNs 22\n";

TEST(Conversion, SecondMeshIndicesFollowTheFirstMeshRecords)
{
    std::unique_ptr<MeshData> mesh(convert(kTwoMeshes, kTwoMaterials, 1.0f));
    ASSERT_EQ(mesh->vertexCount, 7);
    ASSERT_EQ(mesh->indexCount, 9);
    const std::uint32_t expected[9] = {0, 1, 2, 3, 4, 6, 4, 5, 6};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(mesh->indices[i], expected[i]) << i;
    EXPECT_EQ(mesh->vertexBytes(), 7u * 96u);
    EXPECT_EQ(mesh->indexBytes(), 9u * 4u);
}

TEST(Conversion, EveryRecordCarriesItsMeshMaterial)
{
    std::unique_ptr<MeshData> mesh(convert(kTwoMeshes, kTwoMaterials, 1.0f));
    for (int i = 0; i < mesh->vertexCount; ++i) {
        const float* r = record(*mesh, i);
        const bool first = i < 3;
        EXPECT_EQ(r[14], first ? 0.1f : 1.0f);
        EXPECT_EQ(r[18], first ? 0.5f : 1.0f);
        EXPECT_EQ(r[22], first ? 0.9f : 1.0f);
        EXPECT_EQ(r[23], first ? 11.0f : 22.0f) << "the fourth specular float is the exponent";
    }
}

TEST(Conversion, MeshWithoutMaterialGetsZeroColours)
{
    std::unique_ptr<MeshData> mesh(convert("v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl Missing\nf 1 2 3\n", "", 1.0f));
    ASSERT_EQ(mesh->vertexCount, 3);
    for (int k = 14; k < 24; ++k)
        EXPECT_EQ(record(*mesh, 0)[k], 0.0f);
}

TEST(Conversion, PositionsScaleNormalsBecomeUnitAndTexturesStay)
{
    std::unique_ptr<MeshData> mesh(convert(kTwoMeshes, kTwoMaterials, 0.1f));
    const float* r = record(*mesh, 2);
    EXPECT_EQ(r[0], 1.0f * 0.1f);
    EXPECT_EQ(r[1], 1.0f * 0.1f);
    EXPECT_EQ(r[3], 1.0f);
    EXPECT_EQ(r[4], 1.0f);
    EXPECT_EQ(r[5], 0.0f);
    EXPECT_EQ(r[7], 1.0f) << "normal (0, 0, 2) becomes unit length";
}

TEST(Conversion, FaceWithoutNormalsPointsAgainstTheRightHandNormal)
{
    // Corners counter-clockwise seen from +z: the generated normal is -z.
    std::unique_ptr<MeshData> mesh(convert("v 0 0 0\nv 3 0 0\nv 0 3 0\nf 1 2 3\n", "", 1.0f));
    for (int i = 0; i < 3; ++i) {
        const float* r = record(*mesh, i);
        EXPECT_EQ(r[5], 0.0f);
        EXPECT_EQ(r[6], 0.0f);
        EXPECT_EQ(r[7], -1.0f);
    }
}

TEST(Conversion, TangentsFollowTheTextureAxesWhateverThePositiveScale)
{
    // u runs along -y and v along +x on this triangle.
    const char obj[] = "v 0 0 0\nv 0 -2 0\nv 4 0 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/3/1\n";
    for (float scale : {0.1f, 1.0f, 500.0f}) {
        std::unique_ptr<MeshData> mesh(convert(obj, "", scale));
        for (int i = 0; i < 3; ++i) {
            const float* r = record(*mesh, i);
            EXPECT_FLOAT_EQ(r[8], 0.0f);
            EXPECT_FLOAT_EQ(r[9], -1.0f);
            EXPECT_FLOAT_EQ(r[10], 0.0f);
            EXPECT_FLOAT_EQ(r[11], 1.0f);
            EXPECT_FLOAT_EQ(r[12], 0.0f);
        }
    }
}

TEST(Conversion, CollinearTextureCoordinatesGiveNonFiniteTangentsKeptAsTheyAre)
{
    std::unique_ptr<MeshData> mesh(convert("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n", "", 1.0f));
    EXPECT_FALSE(std::isfinite(record(*mesh, 0)[8]));
    EXPECT_EQ(record(*mesh, 0)[7], 1.0f) << "the rest of the record is unaffected";
}

TEST(ConversionDeathTest, FailedLoadEndsTheProcessWithStatusZeroAfterTheMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("TARNWICK_NO_DIALOGS", "1", 1);
    EXPECT_EXIT(MeshData(987654, 987655, 1.0f), testing::ExitedWithCode(0), "Debug: Failed to load mesh");
    meshtest::setTexts("# no faces\nv 0 0 0\n");
    EXPECT_EXIT(MeshData(kObjId, kMtlId, 1.0f), testing::ExitedWithCode(0), "Failed to load mesh");
}

TEST(Conversion, TryConvertReportsAFailedLoadToItsCaller)
{
    meshtest::setTexts("");
    testing::internal::CaptureStdout();
    EXPECT_EQ(MeshAttributeArrays::tryConvert(kObjId, kMtlId, 1.0f), nullptr);
    testing::internal::GetCapturedStdout();
}

TEST(PrebuiltMesh, UsesTheResourcesInPlaceWithTheGivenCounts)
{
    static const float vertices[2 * kFloatsPerVertex] = {1.0f, 2.0f, 3.0f};
    static const std::uint32_t indices[2] = {0, 1};
    overrideResource(9101, kTextFileType, vertices, sizeof vertices);
    overrideResource(9102, kTextFileType, indices, sizeof indices);
    const MeshData mesh(9101, 2, 9102, 2);
    EXPECT_EQ(mesh.vertices, vertices);
    EXPECT_EQ(mesh.indices, indices);
    EXPECT_FALSE(mesh.fromObj);
    EXPECT_EQ(mesh.floatsPerVertex, 24);
    EXPECT_EQ(mesh.vertexBytes(), sizeof vertices);
    EXPECT_EQ(mesh.indexBytes(), sizeof indices);
    EXPECT_EQ(mesh.arrays, nullptr);
}

TEST(PrebuiltMeshDeathTest, MissingOrShortResourceIsAFailedLoad)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("TARNWICK_NO_DIALOGS", "1", 1);
    static const std::uint32_t indices[2] = {0, 1};
    overrideResource(9103, kTextFileType, indices, sizeof indices);
    EXPECT_EXIT(MeshData(9104, 1, 9103, 2), testing::ExitedWithCode(0), "Failed to load mesh");
    EXPECT_EXIT(MeshData(9103, 0, 9103, 3), testing::ExitedWithCode(0), "Failed to load mesh");
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ObjConvertTool, WritesTheSameBytesAsTheProgramsConversion)
{
    const std::string out = testing::TempDir() + "objconvert_background";
    const std::string command = std::string(OBJCONVERT_PATH) + " " + RESOURCE_DIR "/background.obj " +
                                RESOURCE_DIR "/background.mtl 500 " + out + ".vtx " + out + ".idx > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    testing::internal::CaptureStdout();
    const MeshData mesh(141, 140, 500.0f);
    testing::internal::GetCapturedStdout();
    const std::string vertices = readFile(out + ".vtx");
    const std::string indices = readFile(out + ".idx");
    ASSERT_EQ(vertices.size(), mesh.vertexBytes());
    ASSERT_EQ(indices.size(), mesh.indexBytes());
    EXPECT_EQ(vertices, std::string(reinterpret_cast<const char*>(mesh.vertices), mesh.vertexBytes()));
    EXPECT_EQ(indices, std::string(reinterpret_cast<const char*>(mesh.indices), mesh.indexBytes()));
    std::remove((out + ".vtx").c_str());
    std::remove((out + ".idx").c_str());
}

TEST(ObjConvertTool, FailsLoudlyOnAFileWithoutMesh)
{
    const std::string empty = testing::TempDir() + "objconvert_empty.obj";
    std::ofstream(empty) << "# nothing\n";
    const std::string out = testing::TempDir() + "objconvert_empty";
    const std::string command = std::string(OBJCONVERT_PATH) + " " + empty + " " + empty + " 1 " + out + ".vtx " +
                                out + ".idx > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_NE(status, 0);
    EXPECT_FALSE(std::ifstream(out + ".vtx").good());
    EXPECT_NE(std::system((std::string(OBJCONVERT_PATH) + " too few > /dev/null 2>&1").c_str()), 0);
    std::remove(empty.c_str());
}

} // namespace
