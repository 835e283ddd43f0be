// Small double-precision geometry types for the model generator.
#pragma once

#include <cmath>
#include <vector>

struct V2 {
    double x = 0, y = 0;
};

struct V3 {
    double x = 0, y = 0, z = 0;
};

inline V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
inline V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
inline V2 operator*(V2 a, double s) { return {a.x * s, a.y * s}; }
inline double dot(V2 a, V2 b) { return a.x * b.x + a.y * b.y; }
inline double cross2(V2 a, V2 b) { return a.x * b.y - a.y * b.x; }
inline double len(V2 a) { return std::sqrt(dot(a, a)); }
inline V2 polar(double r, double a) { return {r * std::cos(a), r * std::sin(a)}; }
inline V2 rotated(V2 p, double a) {
    double c = std::cos(a), s = std::sin(a);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator-(V3 a) { return {-a.x, -a.y, -a.z}; }
inline V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double len(V3 a) { return std::sqrt(dot(a, a)); }
inline V3 unit(V3 a) {
    double l = len(a);
    return l > 0 ? a * (1.0 / l) : V3{0, 0, 1};
}

// One face corner as the OBJ stores it: position, normal, texture coordinate.
struct Vert {
    V3 p, n;
    V2 t;
};

struct Tri {
    Vert v[3];
    int mat = 0;
};

using Part = std::vector<Tri>;

inline void append(Part& to, const Part& from) { to.insert(to.end(), from.begin(), from.end()); }

// A right-handed local frame: local (a, b, c) maps to origin + a·u + b·v + c·w.
struct Frame {
    V3 origin{0, 0, 0};
    V3 u{1, 0, 0}, v{0, 1, 0}, w{0, 0, 1};
    V3 at(double a, double b, double c) const { return origin + u * a + v * b + w * c; }
    V3 dir(double a, double b, double c) const { return unit(u * a + v * b + w * c); }
};

// The frame of a part that lies in the clock's plane: axis along model z.
inline Frame planeFrame(double cx, double cy, double z = 0) { return Frame{{cx, cy, z}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}; }
