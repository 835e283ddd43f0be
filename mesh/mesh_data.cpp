#include "mesh/mesh_data.h"

#include "mesh/mesh_attribute_arrays.h"
#include "platform/message_box.h"
#include "platform/resources.h"

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <cstring>

namespace {

// A pre-built resource that is missing or shorter than its count says would
// be read past its end when uploaded: it is reported like a mesh that failed
// to load.
const unsigned char* prebuiltBytes(int resourceId, std::size_t bytesNeeded)
{
    const ResourceBytes bytes = findResource(resourceId, kTextFileType);
    if (!bytes || bytes.size < bytesNeeded) {
        showMessageBox("Failed to load mesh", "Debug", MessageIcon::Information);
        glfwTerminate();
        std::exit(0);
    }
    return bytes.data;
}

} // namespace

MeshData::MeshData(int vertexResourceId, int vertexCount, int indexResourceId, int indexCount)
    : vertexCount(vertexCount), indexCount(indexCount), fromObj(false)
{
    // The resources are aligned for float access and used in place.
    vertices = reinterpret_cast<const float*>(prebuiltBytes(vertexResourceId, vertexBytes()));
    indices = reinterpret_cast<const std::uint32_t*>(prebuiltBytes(indexResourceId, indexBytes()));
}

MeshData::MeshData(int objResourceId, int mtlResourceId, float scale)
    : MeshData(std::make_unique<MeshAttributeArrays>(objResourceId, mtlResourceId, scale))
{
}

MeshData::MeshData(std::unique_ptr<MeshAttributeArrays> converted) : arrays(converted.release()), fromObj(true)
{
    interleave();
}

MeshData::~MeshData()
{
    delete arrays;
}

void MeshData::interleave()
{
    vertexCount = arrays->vertexCount();
    indexCount = arrays->indexCount();
    const auto vertexTotal = static_cast<std::size_t>(vertexCount);
    const auto indexTotal = static_cast<std::size_t>(indexCount);
    const auto stride = static_cast<std::size_t>(floatsPerVertex);

    m_ownedVertices = std::make_unique<float[]>(vertexTotal * stride);
    m_ownedIndices = std::make_unique<std::uint32_t[]>(indexTotal);
    float* out = m_ownedVertices.get();
    struct Source {
        const std::vector<float>& array;
        std::size_t components;
    };
    const Source sources[kAttributeCount] = {
        {arrays->positions, 3}, {arrays->texCoords, 2}, {arrays->normals, 3},  {arrays->tangents, 3},
        {arrays->bitangents, 3}, {arrays->ambient, 3},  {arrays->diffuse, 3}, {arrays->specular, 4},
    };
    for (std::size_t i = 0; i < vertexTotal; ++i) {
        float* record = out + i * stride;
        for (int a = 0; a < kAttributeCount; ++a) {
            const Source& source = sources[a];
            std::memcpy(record + offsets[a], source.array.data() + i * source.components,
                        source.components * sizeof(float));
        }
    }
    if (indexTotal > 0)
        std::memcpy(m_ownedIndices.get(), arrays->indices.data(), indexTotal * sizeof(std::uint32_t));

    vertices = m_ownedVertices.get();
    indices = m_ownedIndices.get();
}
