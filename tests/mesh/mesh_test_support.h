// Helpers for the mesh tests: OBJ and MTL texts handed to the parser through
// the resource seam.
#pragma once

#include "mesh/obj_reader.h"

#include <string>

namespace meshtest {

// Free ids, far from the program's own resources.
inline constexpr int kObjId = 9001;
inline constexpr int kMtlId = 9002;

// Makes the texts the "TEXTFILE" resources kObjId and kMtlId until the next
// call (the texts are kept alive here).
void setTexts(const std::string& obj, const std::string& mtl = "");

// Loads obj (and mtl for its "mtllib" lines) into a fresh reader; the reader's
// progress output is swallowed.
wavefront::ObjReader load(const std::string& obj, const std::string& mtl = "", bool* result = nullptr);

} // namespace meshtest
