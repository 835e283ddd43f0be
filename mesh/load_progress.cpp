#include "mesh/load_progress.h"

#include <cstdio>

namespace wavefront {

void writeProgressLine(const std::string& meshName, std::size_t positions, std::size_t texCoords,
                       std::size_t normals, std::size_t triangles, const std::string* lastMaterial)
{
    std::string text = "\r- " + meshName;
    text += "\t| vertices > " + std::to_string(positions);
    text += "\t| texcoords > " + std::to_string(texCoords);
    text += "\t| normals > " + std::to_string(normals);
    text += "\t| triangles > " + std::to_string(triangles);
    if (lastMaterial)
        text += "\t| material: " + *lastMaterial;
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void writeProgressLineEnd()
{
    std::fputc('\n', stdout);
}

} // namespace wavefront
