// The interleaved vertex of every mesh, program and pre-built geometry resource:
// 24 little-endian floats, 96 bytes, no padding.
#pragma once

inline constexpr int kFloatsPerVertex = 24;
inline constexpr int kAttributeCount = 8;

// Float offsets of the eight attributes, in table order: position (3),
// position_tex (2), position_normal (3), position_tangent (3),
// position_bitangent (3), material_ambient (3), material_diffuse (3),
// material_specular (4: colour, then the exponent).
inline constexpr int kAttributeOffsets[kAttributeCount] = {0, 3, 5, 8, 11, 14, 17, 20};

struct VertexRecord {
    float position[3];
    float texCoord[2];
    float normal[3];
    float tangent[3];
    float bitangent[3];
    float ambient[3];
    float diffuse[3];
    float specular[4];
};

static_assert(sizeof(VertexRecord) == 96, "a vertex record is 96 bytes");
