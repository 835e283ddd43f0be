#include "model_support.h"

#include <cstdlib>
#include <stdexcept>

namespace model {

namespace {

LoadedMesh load(int obj, int mtl) {
    LoadedMesh m;
    if (!m.reader.loadFromResources(obj, mtl)) throw std::runtime_error("mesh resource did not load");
    const auto& v = m.reader.vertices;
    for (size_t i = 0; i + 2 < v.size(); i += 3) {
        Triangle t;
        for (int k = 0; k < 3; ++k) {
            t.p[k] = {v[i + k].position.x * 0.1, v[i + k].position.y * 0.1, v[i + k].position.z * 0.1};
            t.n[k] = {v[i + k].normal.x, v[i + k].normal.y, v[i + k].normal.z};
        }
        m.tris.push_back(t);
    }
    return m;
}

const double kPi = 3.1415926535897932384626433832795;
const double kSpeed = -kPi / 1.5;

}  // namespace

bool Triangle::degenerate() const {
    for (int k = 1; k < 3; ++k)
        if (p[k].x != p[0].x || p[k].y != p[0].y || p[k].z != p[0].z) return false;
    return true;
}

const LoadedMesh& clockMesh() {
    static const LoadedMesh m = load(159, 158);
    return m;
}
const LoadedMesh& bodyMesh() {
    static const LoadedMesh m = load(162, 163);
    return m;
}
const LoadedMesh& secondHandMesh() {
    static const LoadedMesh m = load(169, 170);
    return m;
}

int firstTriangle(int firstRecord) { return (firstRecord + 2) / 3; }
int lastTriangle(int lastRecord) { return (lastRecord + 1) / 3 - 1; }

P3 turn(const P3& p, double cx, double cy, double a) {
    double dx = p.x - cx, dy = p.y - cy;
    return {cx + dx * std::cos(a) + dy * std::sin(a), cy - dx * std::sin(a) + dy * std::cos(a), p.z};
}

namespace angles {
double escape(double t) { return 0.05 * kSpeed * t; }
double third(double t) { return -escape(t) * (16.0 / 60.0); }
double fourth(double t) { return escape(t) * (16.0 / 60.0) * (15.0 / 60.0); }
double centre(double t) { return -escape(t) * (16.0 / 60.0) * (15.0 / 60.0) * (15.0 / 60.0); }
double top(double t) { return escape(t) * (16.0 / 60.0) * (15.0 / 60.0) * (15.0 / 60.0); }
double idler(double t) { return top(t) * (32.0 / 8.0); }
double pendulum(double t) { return std::sin(1.5 * kSpeed * t) * 0.15 * 0.5; }
double yoke(double t) { return std::sin(1.5 * kSpeed * t) * 0.24 * 0.5; }
}  // namespace angles

}  // namespace model
