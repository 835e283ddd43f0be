// The OBJ reader's progress lines on standard output.
#pragma once

#include <cstddef>
#include <string>

namespace wavefront {

// Writes, without a line end: "\r- NAME\t| vertices > N\t| texcoords > N\t|
// normals > N\t| triangles > N", then "\t| material: NAME" when lastMaterial
// is given.
void writeProgressLine(const std::string& meshName, std::size_t positions, std::size_t texCoords,
                       std::size_t normals, std::size_t triangles, const std::string* lastMaterial);

// Ends the current progress line.
void writeProgressLineEnd();

} // namespace wavefront
