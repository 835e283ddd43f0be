// The program's own backdrop rectangle, converted as the scene converts it.
#include "mesh/mesh_attribute_arrays.h"
#include "mesh/mesh_data.h"
#include "mesh/obj_reader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kBackgroundObj = 141;
constexpr int kBackgroundMtl = 140;

TEST(BackgroundMesh, ParsesAsOneMeshWithItsMaterial)
{
    wavefront::ObjReader reader;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(reader.loadFromResources(kBackgroundObj, kBackgroundMtl));
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(reader.meshes.size(), 1u);
    const wavefront::Mesh& mesh = reader.meshes[0];
    EXPECT_EQ(mesh.name, "Plane001");
    EXPECT_EQ(mesh.vertices.size(), 6u);
    const wavefront::Material& m = mesh.material;
    EXPECT_EQ(m.name, "wire_198225087");
    EXPECT_FLOAT_EQ(m.Ka.x, 0.7765f);
    EXPECT_FLOAT_EQ(m.Ka.y, 0.8824f);
    EXPECT_FLOAT_EQ(m.Ka.z, 0.3412f);
    EXPECT_TRUE(m.Kd == m.Ka);
    EXPECT_TRUE(m.Ks == (wavefront::Vector3{0.35f, 0.35f, 0.35f}));
    EXPECT_EQ(m.Ns, 32.0f);
}

TEST(BackgroundMesh, ConvertsToSixRecordsWithTheStatedFirstRecord)
{
    testing::internal::CaptureStdout();
    MeshData mesh(kBackgroundObj, kBackgroundMtl, 500.0f);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(mesh.vertexCount, 6);
    ASSERT_EQ(mesh.indexCount, 6);
    EXPECT_TRUE(mesh.fromObj);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(mesh.indices[i], static_cast<std::uint32_t>(i));

    const float* r = mesh.vertices;
    const float expected[24] = {-1250.0f, 1184.9f, 0.0f,  // position
                                0.0f, 1.0f,               // texture coordinate
                                0.0f, -0.0f, 1.0f,        // normal
                                1.0f, 0.0f, 0.0f,         // tangent
                                0.0f, 1.0f, 0.0f,         // bitangent
                                0.7765f, 0.8824f, 0.3412f, 0.7765f, 0.8824f, 0.3412f,
                                0.35f, 0.35f, 0.35f, 32.0f};
    for (int k = 0; k < 24; ++k)
        EXPECT_EQ(r[k], expected[k]) << "float " << k;
    EXPECT_TRUE(std::signbit(r[6])) << "the normal's y is -0";

    // Every record carries the material; all six lie in the z = 0 plane facing +z.
    for (int i = 0; i < 6; ++i) {
        const float* rec = mesh.vertices + i * 24;
        EXPECT_EQ(rec[2], 0.0f);
        EXPECT_EQ(rec[7], 1.0f);
        EXPECT_EQ(rec[14], 0.7765f);
        EXPECT_EQ(rec[23], 32.0f);
        EXPECT_TRUE(std::fabs(rec[0]) == 1250.0f);
        EXPECT_TRUE(rec[1] == 1184.9f || rec[1] == -1315.1f);
    }
}

} // namespace
