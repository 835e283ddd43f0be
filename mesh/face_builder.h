// Faces of the OBJ text: their vertices, and their triangles by ear clipping.
#pragma once

#include "mesh/wavefront_records.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace wavefront {

// Fills faceVertices (cleared first) with one vertex per element of the face
// line "f ...", each element in one of the forms P, P/T, P//N or P/T/N. When an
// element has no normal, the face normal (P0 - P1) x (P2 - P1) is written into
// every vertex of the face.
//
// Returns false, with faceVertices empty, for a face that cannot be used: an
// element naming a position, texture coordinate or normal that does not exist
// (index 0, beyond the lists read so far, no number), an element of four or
// more parts, or a face lacking normals with fewer than three vertices (it has
// no face normal). Empty elements, as two blanks in a row give, are skipped.
bool buildFaceVertices(std::vector<Vertex>& faceVertices, const std::vector<Vector3>& positions,
                       const std::vector<Vector2>& texCoords, const std::vector<Vector3>& normals,
                       std::string_view line);

// Fills indicesOut (cleared first) with the triangles of the polygon faceVertices, as indices
// into faceVertices, by ear clipping; every triangle keeps the polygon's
// winding and lists its corners in ascending order. Fewer than three vertices
// give nothing. Clipping stops when a pass over the remaining outline finds
// no ear (a self-intersecting outline, say); the triangles clipped until then
// are kept and the rest of the outline is left out.
void triangulatePolygon(std::vector<std::uint32_t>& indicesOut, const std::vector<Vertex>& faceVertices);

// Whether point's barycentric weights in the triangle t1 t2 t3 all lie in
// [0, 1]; the distance from the triangle's plane is not tested.
bool pointInTriangle(const Vector3& point, const Vector3& t1, const Vector3& t2, const Vector3& t3);

} // namespace wavefront
