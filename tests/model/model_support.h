// Shared access to the generated meshes (read once through the program's
// OBJ parser) and the motion rules the clock's shaders apply to them.
#pragma once

#include "mesh/obj_reader.h"

#include <cmath>
#include <vector>

namespace model {

struct P3 {
    double x, y, z;
};

// One triangle of a mesh in model units (OBJ × 0.1), with its normals.
struct Triangle {
    P3 p[3];
    P3 n[3];
    bool degenerate() const;
};

struct LoadedMesh {
    wavefront::ObjReader reader;
    std::vector<Triangle> tris;  // in record order
};

const LoadedMesh& clockMesh();       // OBJ 159 + MTL 158
const LoadedMesh& bodyMesh();        // OBJ 162 + MTL 163
const LoadedMesh& secondHandMesh();  // OBJ 169 + MTL 170

// Triangles wholly inside records first..last.
int firstTriangle(int firstRecord);
int lastTriangle(int lastRecord);

// The shader's turn about a centre: positive angles turn clockwise as seen.
P3 turn(const P3& p, double cx, double cy, double angle);

inline double radius(const P3& p, double cx, double cy) { return std::hypot(p.x - cx, p.y - cy); }

// Angles the clock program gives each group at time t (seconds).
namespace angles {
double escape(double t);
double third(double t);
double fourth(double t);
double centre(double t);
double top(double t);
double idler(double t);
double pendulum(double t);
double yoke(double t);
}  // namespace angles

// Motion centres the shaders use.
inline constexpr double kPendulum[3] = {-19.8062, 0.04179, -1.290};
inline constexpr double kYoke[2] = {-14.83, 0.0};
inline constexpr double kEscape[2] = {-6.74, 0.0};
inline constexpr double kThird[2] = {1.97, 0.0};
inline constexpr double kFourth[2] = {10.66, 0.0};
inline constexpr double kTop[2] = {-3.12, 0.0};
inline constexpr double kIdler[2] = {6.60, 0.0};
inline constexpr double kHands[2] = {2.0, 0.0};

}  // namespace model
