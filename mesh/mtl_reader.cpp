#include "mesh/line_functions.h"
#include "mesh/obj_reader.h"
#include "mesh/resource_text.h"

#include <string_view>

namespace wavefront {

namespace {

// "Ka", "Kd", "Ks": exactly three pieces set the colour; any other count
// (a blank before a carriage return makes a fourth) leaves it unchanged.
void readColour(std::string_view line, Vector3& colour, std::vector<std::string_view>& pieces)
{
    splitOn(restOfLine(line), " ", pieces);
    if (pieces.size() != 3)
        return;
    colour = {parseFloat(pieces[0]), parseFloat(pieces[1]), parseFloat(pieces[2])};
}

} // namespace

bool ObjReader::readMaterials(int mtlResourceId)
{
    LineReader reader;
    if (!reader.loadResource(mtlResourceId))
        return false;

    // Lines are used as read: a carriage return stays part of the last word.
    Material material;
    bool listening = false;
    std::vector<std::string_view> pieces;
    std::string_view line;
    while (reader.nextLine(line)) {
        const std::string_view word = firstWord(line);
        const std::string_view rest = restOfLine(line);
        if (word == "newmtl") {
            if (listening) {
                materials.push_back(std::move(material));
                material = Material();
            }
            listening = true;
            material.name = line.size() <= 7 ? std::string_view("none") : trimLineEnd(rest);
        } else if (word == "Ka") {
            readColour(line, material.Ka, pieces);
        } else if (word == "Kd") {
            readColour(line, material.Kd, pieces);
        } else if (word == "Ks") {
            readColour(line, material.Ks, pieces);
        } else if (word == "Ns") {
            material.Ns = parseFloat(rest);
        } else if (word == "Ni") {
            material.Ni = parseFloat(rest);
        } else if (word == "d") {
            material.d = parseFloat(rest);
        } else if (word == "illum") {
            material.illum = parseInt(rest);
        } else if (word == "map_Ka") {
            material.map_Ka = rest;
        } else if (word == "map_Kd") {
            material.map_Kd = rest;
        } else if (word == "map_Ks") {
            material.map_Ks = rest;
        } else if (word == "map_Ns") {
            material.map_Ns = rest;
        } else if (word == "map_d") {
            material.map_d = rest;
        } else if (word == "map_Bump" || word == "map_bump" || word == "bump") {
            material.map_bump = rest;
        }
        // Anything else ("Tr", "Tf", "Ke", comments) is ignored.
    }
    // The material under construction always counts, so a text without
    // "newmtl" still adds one default material with an empty name.
    materials.push_back(std::move(material));
    return !materials.empty();
}

} // namespace wavefront
