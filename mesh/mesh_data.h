// One mesh's vertex records and indices, owned by its drawable.
#pragma once

#include "mesh/vertex_record.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class MeshAttributeArrays;

struct MeshData {
    // Pre-built form: the vertex and index resources ("TEXTFILE") are used in
    // place, with the counts the caller gives. No copy, no parsing. A missing
    // resource, or one shorter than its count, is reported as a failed load
    // rather than read past its end.
    MeshData(int vertexResourceId, int vertexCount, int indexResourceId, int indexCount);
    // OBJ form: parses the OBJ and MTL resources, scales the positions and
    // interleaves the attribute arrays into vertex records. A failed load ends
    // the process with status 0 after "Failed to load mesh".
    MeshData(int objResourceId, int mtlResourceId, float scale);
    // OBJ form from arrays already converted (taken over); the build tool's
    // way in, as it reports a failed load itself.
    explicit MeshData(std::unique_ptr<MeshAttributeArrays> converted);
    ~MeshData();
    MeshData(const MeshData&) = delete;
    MeshData& operator=(const MeshData&) = delete;

    // Fills vertices, indices and the counts from arrays (OBJ form).
    void interleave();

    std::size_t vertexBytes() const { return static_cast<std::size_t>(vertexCount) * kFloatsPerVertex * 4; }
    std::size_t indexBytes() const { return static_cast<std::size_t>(indexCount) * 4; }

    const float* vertices = nullptr;
    int floatsPerVertex = kFloatsPerVertex;
    int offsets[kAttributeCount] = {0, 3, 5, 8, 11, 14, 17, 20};
    const std::uint32_t* indices = nullptr;
    MeshAttributeArrays* arrays = nullptr;  // OBJ form only; owned
    int vertexCount = 0;
    int indexCount = 0;
    bool fromObj = false;

private:
    // The interleaved arrays of the OBJ form.
    std::unique_ptr<float[]> m_ownedVertices;
    std::unique_ptr<std::uint32_t[]> m_ownedIndices;
};
