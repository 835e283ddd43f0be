#include "mesh/mesh_attribute_arrays.h"

#include "mesh/obj_reader.h"
#include "platform/message_box.h"
#include "render/math.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

namespace {

void put(std::vector<float>& array, std::size_t index, const Vec3& v)
{
    array[index * 3 + 0] = v[0];
    array[index * 3 + 1] = v[1];
    array[index * 3 + 2] = v[2];
}

Vec3 vec3At(const std::vector<float>& array, std::size_t index)
{
    return {array[index * 3 + 0], array[index * 3 + 1], array[index * 3 + 2]};
}

Vec2 vec2At(const std::vector<float>& array, std::size_t index)
{
    return {array[index * 2 + 0], array[index * 2 + 1]};
}

} // namespace

MeshAttributeArrays::MeshAttributeArrays(int objResourceId, int mtlResourceId, float scale) : m_scale(scale)
{
    if (!convert(objResourceId, mtlResourceId)) {
        showMessageBox("Failed to load mesh", "Debug", MessageIcon::Information);
        glfwTerminate();
        std::exit(0);
    }
}

std::unique_ptr<MeshAttributeArrays> MeshAttributeArrays::tryConvert(int objResourceId, int mtlResourceId,
                                                                     float scale)
{
    std::unique_ptr<MeshAttributeArrays> arrays(new MeshAttributeArrays(scale));
    if (!arrays->convert(objResourceId, mtlResourceId))
        return nullptr;
    return arrays;
}

bool MeshAttributeArrays::convert(int objResourceId, int mtlResourceId)
{
    wavefront::ObjReader reader;
    if (!reader.loadFromResources(objResourceId, mtlResourceId))
        return false;

    std::size_t vertexTotal = 0;
    std::size_t indexTotal = 0;
    for (const wavefront::Mesh& mesh : reader.meshes) {
        vertexTotal += mesh.vertices.size();
        indexTotal += mesh.indices.size();
    }
    m_vertexCount = static_cast<int>(vertexTotal);
    m_indexCount = static_cast<int>(indexTotal);

    positions.assign(vertexTotal * 3, 0.0f);
    texCoords.assign(vertexTotal * 2, 0.0f);
    normals.assign(vertexTotal * 3, 0.0f);
    tangents.assign(vertexTotal * 3, 0.0f);
    bitangents.assign(vertexTotal * 3, 0.0f);
    ambient.assign(vertexTotal * 3, 0.0f);
    diffuse.assign(vertexTotal * 3, 0.0f);
    specular.assign(vertexTotal * 4, 0.0f);
    indices.assign(indexTotal, 0);

    std::size_t vertexBase = 0;
    std::size_t indexBase = 0;
    for (const wavefront::Mesh& mesh : reader.meshes) {
        const wavefront::Material& material = mesh.material;
        for (std::size_t k = 0; k < mesh.vertices.size(); ++k) {
            const std::size_t v = vertexBase + k;
            const wavefront::Vertex& vertex = mesh.vertices[k];
            put(positions, v, Vec3(vertex.position.x * m_scale, vertex.position.y * m_scale, vertex.position.z * m_scale));
            put(normals, v, normalize(Vec3(vertex.normal.x, vertex.normal.y, vertex.normal.z)));
            texCoords[v * 2 + 0] = vertex.texCoord.x;
            texCoords[v * 2 + 1] = vertex.texCoord.y;
            put(ambient, v, Vec3(material.Ka.x, material.Ka.y, material.Ka.z));
            put(diffuse, v, Vec3(material.Kd.x, material.Kd.y, material.Kd.z));
            specular[v * 4 + 0] = material.Ks.x;
            specular[v * 4 + 1] = material.Ks.y;
            specular[v * 4 + 2] = material.Ks.z;
            specular[v * 4 + 3] = material.Ns;
        }
        for (std::size_t k = 0; k < mesh.indices.size(); ++k)
            indices[indexBase + k] = static_cast<std::uint32_t>(vertexBase + mesh.indices[k]);
        vertexBase += mesh.vertices.size();
        indexBase += mesh.indices.size();
    }

    computeTangents();
    return true;
}

// One tangent and bitangent per triangle, from its scaled positions and its
// texture coordinates, stored on its three corners; where triangles share a
// vertex the last one wins. Degenerate input gives non-finite values, which are
// kept as they are.
void MeshAttributeArrays::computeTangents()
{
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        const std::uint32_t i0 = indices[t];
        const std::uint32_t i1 = indices[t + 1];
        const std::uint32_t i2 = indices[t + 2];
        const Vec3 e1 = vec3At(positions, i1) - vec3At(positions, i0);
        const Vec3 e2 = vec3At(positions, i2) - vec3At(positions, i0);
        const Vec2 d1 = vec2At(texCoords, i1) - vec2At(texCoords, i0);
        const Vec2 d2 = vec2At(texCoords, i2) - vec2At(texCoords, i0);
        const float product = d1[0] * d2[1];
        const float f = 1.0f / (product - d2[0] * d1[1]);
        const Vec3 tangent((d2[1] * e1[0] - d1[1] * e2[0]) * f, (d2[1] * e1[1] - d1[1] * e2[1]) * f,
                           (d2[1] * e1[2] - d1[1] * e2[2]) * f);
        const Vec3 bitangent((-d2[0] * e1[0] + d1[0] * e2[0]) * f, (-d2[0] * e1[1] + d1[0] * e2[1]) * f,
                             (-d2[0] * e1[2] + d1[0] * e2[2]) * f);
        const Vec3 unitTangent = normalize(tangent);
        const Vec3 unitBitangent = normalize(bitangent);
        for (std::uint32_t i : {i0, i1, i2}) {
            put(tangents, i, unitTangent);
            put(bitangents, i, unitBitangent);
        }
    }
}
