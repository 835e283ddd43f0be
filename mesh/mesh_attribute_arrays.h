// Per-attribute arrays of one OBJ-built mesh: the OBJ and MTL resources parsed,
// positions scaled, normals made unit length, per-triangle tangents and
// bitangents, and the material colours repeated on every vertex.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class MeshAttributeArrays {
public:
    // Converts the resources. A failed load shows "Failed to load mesh", shuts
    // GLFW down and ends the process with status 0.
    MeshAttributeArrays(int objResourceId, int mtlResourceId, float scale);

    // The same conversion for callers that must handle a failed load
    // themselves (the build tool): nullptr when the load fails.
    static std::unique_ptr<MeshAttributeArrays> tryConvert(int objResourceId, int mtlResourceId, float scale);

    int vertexCount() const { return m_vertexCount; }
    int indexCount() const { return m_indexCount; }

    // Per vertex: 3, 2, 3, 3, 3, 3, 3 and 4 floats (specular colour, then the
    // exponent); indexCount indices into the concatenated vertices.
    std::vector<float> positions;
    std::vector<float> texCoords;
    std::vector<float> normals;
    std::vector<float> tangents;
    std::vector<float> bitangents;
    std::vector<float> ambient;
    std::vector<float> diffuse;
    std::vector<float> specular;
    std::vector<std::uint32_t> indices;

private:
    explicit MeshAttributeArrays(float scale) : m_scale(scale) {}
    bool convert(int objResourceId, int mtlResourceId);
    void computeTangents();

    int m_vertexCount = 0;
    int m_indexCount = 0;
    float m_scale = 1.0f;
};
