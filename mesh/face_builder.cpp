#include "mesh/face_builder.h"

#include "mesh/line_functions.h"

#include <algorithm>
#include <numeric>

namespace wavefront {

namespace {

// Radians to degrees, as a float.
constexpr float kDegreesPerRadian = 57.29577951307855f;

// One triangle of face-vertex indices, corners in ascending order. The three
// corners are consecutive on the outline, so ascending order is a rotation of
// the outline's order and keeps its winding.
void emitTriangle(std::vector<std::uint32_t>& out, std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    std::uint32_t corners[3] = {a, b, c};
    std::sort(corners, corners + 3);
    out.insert(out.end(), corners, corners + 3);
}

} // namespace

bool buildFaceVertices(std::vector<Vertex>& faceVertices, const std::vector<Vector3>& positions,
                       const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                       std::string_view line)
{
    faceVertices.clear();
    thread_local std::vector<std::string_view> elements;
    thread_local std::vector<std::string_view> parts;
    splitOn(restOfLine(line), " ", elements);

    Vertex vertex;  // reused: a form without normal keeps the previous one
    bool lacksNormals = false;
    for (std::string_view element : elements) {
        splitOn(element, "/", parts);
        if (parts.empty())
            continue;  // an empty element (two blanks in a row) names no vertex
        if (parts.size() > 3) {
            faceVertices.clear();
            return false;
        }
        const Vector3* position = elementAt(positions, parts[0]);
        const Vector2* texCoord = nullptr;
        const Vector3* normal = nullptr;
        const bool hasTexCoord = parts.size() == 2 || (parts.size() == 3 && !parts[1].empty());
        const bool hasNormal = parts.size() == 3;
        if (hasTexCoord)
            texCoord = elementAt(texCoords, parts[1]);
        if (hasNormal)
            normal = elementAt(normals, parts[2]);
        if (!position || (hasTexCoord && !texCoord) || (hasNormal && !normal)) {
            faceVertices.clear();
            return false;
        }
        vertex.position = *position;
        vertex.texCoord = hasTexCoord ? *texCoord : Vector2{};
        if (hasNormal)
            vertex.normal = *normal;
        else
            lacksNormals = true;
        faceVertices.push_back(vertex);
    }

    if (lacksNormals) {
        if (faceVertices.size() < 3) {
            faceVertices.clear();
            return false;
        }
        const Vector3 p1 = faceVertices[1].position;
        const Vector3 faceNormal = cross(faceVertices[0].position - p1, faceVertices[2].position - p1);
        for (Vertex& v : faceVertices)
            v.normal = faceNormal;
    }
    return true;
}

void triangulatePolygon(std::vector<std::uint32_t>& indicesOut, const std::vector<Vertex>& faceVertices)
{
    indicesOut.clear();
    const std::size_t count = faceVertices.size();
    if (count < 3)
        return;
    if (count == 3) {
        indicesOut = {0, 1, 2};
        return;
    }

    // The remaining outline, as indices into faceVertices. Working with indices
    // rather than positions keeps every clipped triangle at exactly three
    // corners, even when the face repeats a position.
    std::vector<std::uint32_t> outline(count);
    std::iota(outline.begin(), outline.end(), 0u);
    auto positionOf = [&](std::uint32_t k) -> const Vector3& { return faceVertices[k].position; };

    // One pass scans the outline for an ear and restarts at its beginning after
    // each clip; a scan that reaches the end without clipping ends it all, as
    // every further pass would see the same outline.
    std::size_t i = 0;
    while (i < outline.size()) {
        const std::size_t size = outline.size();
        const std::uint32_t prev = outline[i == 0 ? size - 1 : i - 1];
        const std::uint32_t cur = outline[i];
        const std::uint32_t next = outline[i + 1 == size ? 0 : i + 1];

        if (size == 3) {
            emitTriangle(indicesOut, prev, cur, next);
            return;
        }
        if (size == 4) {
            emitTriangle(indicesOut, prev, cur, next);
            emitTriangle(indicesOut, prev, next, outline[(i + 2) % 4]);
            return;
        }

        const Vector3& a = positionOf(prev);
        const Vector3& b = positionOf(cur);
        const Vector3& c = positionOf(next);
        const float angle = angleBetween(a - b, c - b) * kDegreesPerRadian;
        if (angle <= 0.0f || angle >= 180.0f) {
            ++i;
            continue;
        }
        const bool enclosesAnother = std::any_of(faceVertices.begin(), faceVertices.end(), [&](const Vertex& v) {
            return pointInTriangle(v.position, a, b, c) && v.position != a && v.position != b && v.position != c;
        });
        if (enclosesAnother) {
            ++i;
            continue;
        }
        emitTriangle(indicesOut, prev, cur, next);
        outline.erase(outline.begin() + static_cast<std::ptrdiff_t>(i));
        i = 0;
    }
}

bool pointInTriangle(const Vector3& point, const Vector3& t1, const Vector3& t2, const Vector3& t3)
{
    const Vector3 u = t2 - t1;
    const Vector3 v = t3 - t1;
    const Vector3 w = point - t1;
    const Vector3 n = cross(u, v);
    const float nn = dot(n, n);
    const float gamma = dot(cross(u, w), n) / nn;
    const float beta = dot(cross(w, v), n) / nn;
    const float alpha = 1.0f - beta - gamma;
    auto inUnitRange = [](float x) { return x >= 0.0f && x <= 1.0f; };
    return inUnitRange(alpha) && inUnitRange(beta) && inUnitRange(gamma);
}

} // namespace wavefront
