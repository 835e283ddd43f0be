// Reads OBJ geometry text and its MTL material text, both "TEXTFILE"
// resources, into a list of triangle meshes with one material each.
#pragma once

#include "mesh/wavefront_records.h"

#include <cstdint>
#include <vector>

namespace wavefront {

class ObjReader {
public:
    // Reads the OBJ text of objResourceId; its "mtllib" lines read the MTL text
    // of mtlResourceId (the file name after "mtllib" is not looked at). Clears
    // meshes, vertices and indices first, but not materials. Progress lines go
    // to standard output. False when the text yields no mesh, vertex or index,
    // or could not be taken into memory.
    bool loadFromResources(int objResourceId, int mtlResourceId);

    // Appends the materials of the MTL text of mtlResourceId. False only when
    // the text could not be taken into memory.
    bool readMaterials(int mtlResourceId);

    std::vector<Mesh> meshes;              // in the order they were closed
    std::vector<Vertex> vertices;          // every face vertex, in reading order
    std::vector<std::uint32_t> indices;    // triangles, into vertices
    std::vector<Material> materials;       // in reading order
};

} // namespace wavefront
