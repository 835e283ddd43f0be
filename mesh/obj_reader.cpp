#include "mesh/obj_reader.h"

#include "mesh/face_builder.h"
#include "mesh/line_functions.h"
#include "mesh/load_progress.h"
#include "mesh/resource_text.h"

#include <string>
#include <string_view>

namespace wavefront {

namespace {

// Erases every carriage return together with the one character after it (at
// the end of a line only the carriage return is there).
void eraseCarriageReturns(std::string_view raw, std::string& line)
{
    line.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r')
            ++i;
        else
            line.push_back(raw[i]);
    }
}

// "v" and "vn" lines: the first three pieces after the keyword. "vt" lines:
// the first two. Further pieces are ignored. A missing or unreadable value
// reads as 0, so that the line still counts and later faces keep addressing
// the entries they were written for.
Vector3 readVector3(std::string_view line, std::vector<std::string_view>& pieces)
{
    splitOn(restOfLine(line), " ", pieces);
    auto value = [&](std::size_t k) { return k < pieces.size() ? parseFloat(pieces[k]) : 0.0f; };
    return {value(0), value(1), value(2)};
}

Vector2 readVector2(std::string_view line, std::vector<std::string_view>& pieces)
{
    splitOn(restOfLine(line), " ", pieces);
    auto value = [&](std::size_t k) { return k < pieces.size() ? parseFloat(pieces[k]) : 0.0f; };
    return {value(0), value(1)};
}

} // namespace

bool ObjReader::loadFromResources(int objResourceId, int mtlResourceId)
{
    LineReader reader;
    if (!reader.loadResource(objResourceId))
        return false;
    meshes.clear();
    vertices.clear();
    indices.clear();

    std::vector<Vector3> positions;
    std::vector<Vector2> texCoords;
    std::vector<Vector3> normals;
    std::vector<Vertex> meshVertices;
    std::vector<std::uint32_t> meshIndices;
    std::vector<std::string> materialNames;
    bool listening = false;
    std::string meshName;
    unsigned progressCounter = 1000;

    std::vector<Vertex> faceVertices;
    std::vector<std::uint32_t> faceIndices;
    std::vector<std::string_view> pieces;
    std::string line;

    auto meshHasTriangles = [&] { return !meshIndices.empty() && !meshVertices.empty(); };
    auto closeMesh = [&](std::string name) {
        meshes.emplace_back(std::move(meshVertices), std::move(meshIndices));
        meshes.back().name = std::move(name);
        meshVertices.clear();
        meshIndices.clear();
    };

    std::string_view raw;
    while (reader.nextLine(raw)) {
        eraseCarriageReturns(raw, line);

        progressCounter = (progressCounter + 1) % 1000;
        if (progressCounter == 1 && !meshName.empty()) {
            writeProgressLine(meshName, positions.size(), texCoords.size(), normals.size(),
                              meshVertices.size() / 3, materialNames.empty() ? nullptr : &materialNames.back());
        }

        const std::string_view word = firstWord(line);
        if (word == "o" || word == "g" || (!line.empty() && line[0] == 'g')) {
            const bool named = word == "o" || word == "g";
            if (!listening) {
                listening = true;
                meshName = named ? std::string(restOfLine(line)) : "unnamed";
            } else if (meshHasTriangles()) {
                closeMesh(meshName);
                meshName = restOfLine(line);
            } else {
                meshName = named ? std::string(restOfLine(line)) : "unnamed";
            }
            writeProgressLineEnd();
            progressCounter = 0;
        } else if (word == "v") {
            positions.push_back(readVector3(line, pieces));
        } else if (word == "vt") {
            texCoords.push_back(readVector2(line, pieces));
        } else if (word == "vn") {
            normals.push_back(readVector3(line, pieces));
        } else if (word == "f") {
            // A face that cannot be used (see buildFaceVertices) adds nothing.
            if (!buildFaceVertices(faceVertices, positions, texCoords, normals, line))
                continue;
            meshVertices.insert(meshVertices.end(), faceVertices.begin(), faceVertices.end());
            vertices.insert(vertices.end(), faceVertices.begin(), faceVertices.end());
            triangulatePolygon(faceIndices, faceVertices);
            const auto meshBase = static_cast<std::uint32_t>(meshVertices.size() - faceVertices.size());
            const auto readerBase = static_cast<std::uint32_t>(vertices.size() - faceVertices.size());
            for (std::uint32_t k : faceIndices) {
                meshIndices.push_back(meshBase + k);
                indices.push_back(readerBase + k);
            }
        } else if (word == "usemtl") {
            materialNames.emplace_back(restOfLine(line));
            if (meshHasTriangles())
                closeMesh(meshName + "_2");
            progressCounter = 0;
        } else if (word == "mtllib") {
            readMaterials(mtlResourceId);
        }
        // Anything else ("#" comments, "s", blank lines, unknown keywords) is ignored.
    }

    writeProgressLineEnd();
    if (meshHasTriangles())
        closeMesh(meshName);

    // The i-th "usemtl" name goes to the i-th closed mesh, the first material of
    // that name wins; a name without a material, or without a mesh to go to,
    // changes nothing.
    for (std::size_t i = 0; i < materialNames.size() && i < meshes.size(); ++i) {
        for (const Material& material : materials) {
            if (material.name == materialNames[i]) {
                meshes[i].material = material;
                break;
            }
        }
    }

    return !(meshes.empty() && vertices.empty() && indices.empty());
}

} // namespace wavefront
