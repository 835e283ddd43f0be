// Fitting parts into fixed record ranges. A mesh is a sequence of records
// (three per triangle); each range of records holds one part and belongs to
// one motion group. The finest detail that fits a range's triangles is
// chosen; what is left is padded with degenerate triangles, and a triangle
// whose records fall in different groups is degenerate on the moving
// group's centre, so no motion can tear it.
#pragma once

#include "geometry.h"

#include <functional>
#include <string>

struct MotionGroup {
    const char* name;
    bool moves;
    V3 centre;
};

struct RangePlan {
    int first, last;  // records, both included
    const MotionGroup* group;
    std::string label;
    std::function<Part(int, int)> build;  // empty: no triangle of its own
    int aMax = 1, bMax = 1;
    // Records the shaders turn twice (listed in two ranges of one group):
    // their triangles stay degenerate on the group's centre.
    std::vector<int> pinned = {};
};

struct RangeReport {
    std::string label;
    int first, last;
    int slots;   // triangles wholly inside the range
    int real;    // modelled triangles
    int padding; // degenerate fill
};

struct AssembledMesh {
    std::vector<Tri> tris;
    std::vector<std::string> labels;  // per triangle: the range it belongs to ("straddle" between ranges)
    std::vector<RangeReport> report;
    int straddles = 0;
};

// Builds the whole record sequence of `records` records. Throws when a part
// does not fit, a range is left without geometry, or the padding limits
// (25% of a range, 10% of the mesh) are exceeded.
AssembledMesh assemble(const std::vector<RangePlan>& plans, int records, int paddingMat);
