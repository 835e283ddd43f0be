// Writes triangle lists as Wavefront OBJ ("f p/t/n" triangles, positions
// scaled) and the matching MTL, with stable number formatting.
#pragma once

#include "geometry.h"

#include <string>

struct ObjGroup {
    std::string label;
    int firstTri, count;
};

// objectName: the "o" line. labels: per triangle, a group name ("g" lines
// start where it changes). Every group and material change is followed by a
// "usemtl" line, so the i-th material name always goes with the i-th mesh.
void writeObj(const std::string& path, const std::string& mtlName, const std::string& objectName,
              const std::vector<Tri>& tris, const std::vector<std::string>& labels, double scale);

void writeMtl(const std::string& path, const std::vector<Tri>& tris);
