// The pre-built vertex and index resources are the program's own conversion
// of the clock and body OBJ texts at scale 0.1.
#include "model_support.h"

#include "mesh/vertex_record.h"
#include "platform/resources.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace model;

namespace {

void expectIdentityIndices(int id, size_t count) {
    ResourceBytes b = findResource(id, kTextFileType);
    ASSERT_EQ(b.size, count * 4);
    for (size_t n = 0; n < count; ++n) {
        std::uint32_t v;
        std::memcpy(&v, b.data + n * 4, 4);
        ASSERT_EQ(v, n);
    }
}

void expectRecordsMatchObj(int vertexId, const LoadedMesh& m) {
    ResourceBytes b = findResource(vertexId, kTextFileType);
    const auto& verts = m.reader.vertices;
    ASSERT_EQ(b.size, verts.size() * sizeof(VertexRecord));
    // Which material each record carries: the one of its mesh.
    std::vector<const wavefront::Material*> mats;
    for (const auto& mesh : m.reader.meshes)
        for (size_t k = 0; k < mesh.vertices.size(); ++k) mats.push_back(&mesh.material);
    ASSERT_EQ(mats.size(), verts.size());
    for (size_t i = 0; i < verts.size(); ++i) {
        VertexRecord r;
        std::memcpy(&r, b.data + i * sizeof r, sizeof r);
        const auto& v = verts[i];
        ASSERT_FLOAT_EQ(r.position[0], v.position.x * 0.1f) << i;
        ASSERT_FLOAT_EQ(r.position[1], v.position.y * 0.1f) << i;
        ASSERT_FLOAT_EQ(r.position[2], v.position.z * 0.1f) << i;
        ASSERT_EQ(r.texCoord[0], v.texCoord.x);
        ASSERT_EQ(r.texCoord[1], v.texCoord.y);
        ASSERT_NEAR(r.normal[0], v.normal.x, 1e-5);
        ASSERT_NEAR(r.normal[1], v.normal.y, 1e-5);
        ASSERT_NEAR(r.normal[2], v.normal.z, 1e-5);
        ASSERT_EQ(r.ambient[0], mats[i]->Ka.x);
        ASSERT_EQ(r.diffuse[1], mats[i]->Kd.y);
        ASSERT_EQ(r.specular[3], mats[i]->Ns);
        for (float f : {r.position[0], r.position[1], r.position[2], r.normal[0], r.normal[1], r.normal[2]})
            ASSERT_TRUE(std::isfinite(f)) << i;
    }
}

}  // namespace

TEST(PrebuiltBuffers, HaveTheStatedSizesAndIdentityIndices) {
    EXPECT_EQ(findResource(174, kTextFileType).size, 11541024u);
    EXPECT_EQ(findResource(175, kTextFileType).size, 480876u);
    EXPECT_EQ(findResource(176, kTextFileType).size, 2778912u);
    EXPECT_EQ(findResource(178, kTextFileType).size, 115788u);
    expectIdentityIndices(175, 120219);
    expectIdentityIndices(178, 28947);
}

TEST(PrebuiltBuffers, RecordsAreTheObjFaceCornersScaledByATenth) {
    expectRecordsMatchObj(174, clockMesh());
    expectRecordsMatchObj(176, bodyMesh());
}

TEST(PrebuiltBuffers, RecordZeroIsTheBrassCornerOfTheFrame) {
    ResourceBytes b = findResource(174, kTextFileType);
    ASSERT_GE(b.size, sizeof(VertexRecord));
    VertexRecord r;
    std::memcpy(&r, b.data, sizeof r);
    EXPECT_NEAR(r.position[0], 2.23712f, 1e-5);
    EXPECT_NEAR(r.position[1], -0.17876f, 1e-5);
    EXPECT_NEAR(r.position[2], 7.04232f, 1e-5);
    EXPECT_FLOAT_EQ(r.ambient[0], 0.588f);
    EXPECT_FLOAT_EQ(r.diffuse[0], 0.8f);
    EXPECT_FLOAT_EQ(r.diffuse[1], 0.6627f);
    EXPECT_FLOAT_EQ(r.diffuse[2], 0.3176f);
    EXPECT_EQ(r.specular[0], 0.0f);
    EXPECT_EQ(r.specular[3], 10.0f);
}
