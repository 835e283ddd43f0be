// The records of the OBJ/MTL parser: vectors, vertices, materials and meshes.
// All arithmetic is single precision.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace wavefront {

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
};

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    // Exact float equality of all three components (so 0 == -0).
    bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vector3& o) const { return !(*this == o); }
};

inline Vector3 operator-(const Vector3& a, const Vector3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline Vector3 cross(const Vector3& r, const Vector3& s)
{
    return {r.y * s.z - r.z * s.y, r.z * s.x - r.x * s.z, r.x * s.y - r.y * s.x};
}

inline float dot(const Vector3& r, const Vector3& s)
{
    return r.x * s.x + r.y * s.y + r.z * s.z;
}

inline float magnitude(const Vector3& r)
{
    return std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z);
}

// Radians; NaN when either vector has zero length.
inline float angleBetween(const Vector3& r, const Vector3& s)
{
    return std::acos(dot(r, s) / (magnitude(r) * magnitude(s)));
}

struct Vertex {
    Vector3 position;
    Vector3 normal;
    Vector2 texCoord;
};

struct Material {
    std::string name;
    Vector3 Ka;
    Vector3 Kd;
    Vector3 Ks;
    float Ns = 0.0f;
    float Ni = 0.0f;
    float d = 0.0f;
    int illum = 0;
    std::string map_Ka;
    std::string map_Kd;
    std::string map_Ks;
    std::string map_Ns;
    std::string map_d;
    std::string map_bump;
};

// A triangle list with its own vertices: three indices per triangle, each into
// this mesh's vertices.
struct Mesh {
    Mesh() = default;
    Mesh(std::vector<Vertex> v, std::vector<std::uint32_t> i) : vertices(std::move(v)), indices(std::move(i)) {}

    std::string name;
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    Material material;
};

} // namespace wavefront
