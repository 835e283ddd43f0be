#include "body_parts.h"

#include "clock_layout.h"
#include "materials.h"
#include "primitives.h"

#include <algorithm>

using namespace layout;

namespace body {

namespace {

// Resample a closed control outline to exactly n points by arc length.
std::vector<V2> resample(const std::vector<V2>& ctrl, int n) {
    std::vector<V2> dense = smoothLoop(ctrl, 40);
    std::vector<double> acc(dense.size() + 1, 0);
    for (size_t i = 0; i < dense.size(); ++i) acc[i + 1] = acc[i] + len(dense[(i + 1) % dense.size()] - dense[i]);
    std::vector<V2> out;
    size_t j = 0;
    for (int k = 0; k < n; ++k) {
        double s = acc.back() * k / n;
        while (acc[j + 1] < s) ++j;
        double t = (s - acc[j]) / (acc[j + 1] - acc[j]);
        out.push_back(dense[j] + (dense[(j + 1) % dense.size()] - dense[j]) * t);
    }
    return out;
}

struct Lobe {
    V2 c;
    double r;
};

// The outline of a union of round lobes, one around each wheel, as seen from
// a point inside it: the plates of a skeleton frame that follow the wheels.
std::vector<V2> lobedOutline(const std::vector<Lobe>& lobes, V2 from, int n) {
    const int rays = 1440;
    std::vector<double> r(rays, 0.0);
    for (int k = 0; k < rays; ++k) {
        V2 d = polar(1, 2 * kPi * k / rays);
        for (const Lobe& l : lobes) {
            V2 o = from - l.c;
            double b = dot(o, d), c = dot(o, o) - l.r * l.r;
            double disc = b * b - c;
            if (disc >= 0) r[k] = std::max(r[k], -b + std::sqrt(disc));
        }
    }
    // Round the notches between lobes a little.
    std::vector<double> sm(rays);
    for (int k = 0; k < rays; ++k) {
        double s = 0;
        for (int j = -6; j <= 6; ++j) s += r[(k + j + rays) % rays];
        sm[k] = s / 13;
    }
    std::vector<V2> ctrl;
    for (int k = 0; k < rays; k += 4) ctrl.push_back(from + polar(sm[k], 2 * kPi * k / rays));
    return resample(ctrl, n);
}

std::vector<Lobe> movementLobes() {
    return {{kThirdWheel, 9.6}, {kFourthWheel, 8.8}, {kEscape, 7.4}, {{-13.8, 0}, 3.3}};
}

Part plate(const std::vector<V2>& outline, const double* layer) {
    Part out;
    extrude(out, planeFrame(0, 0), outline, layer[0], layer[1], kGlassBrass, 0.5);
    return out;
}

}  // namespace

std::vector<V2> frontPlateOutline(int n) { return lobedOutline(movementLobes(), V2{1.0, 0.0}, n); }

std::vector<V2> backPlateOutline(int n) {
    std::vector<Lobe> lobes = movementLobes();
    lobes.push_back({{-21.3, 0}, 2.9});  // crest carrying the pendulum's cock
    lobes.push_back({{-17.6, 0}, 2.0});
    return lobedOutline(lobes, V2{1.0, 0.0}, n);
}

Part backPlate(int n) { return plate(backPlateOutline(n), kBackPlate); }
Part frontPlate(int n) { return plate(frontPlateOutline(n), kFrontPlate); }

std::vector<V2> pillarPositions() { return {{-10.2, -5.6}, {-10.2, 5.6}, {17.2, -4.4}, {17.2, 4.4}}; }
std::vector<V2> dialFootPositions() { return {{-3.6, -7.2}, {-3.6, 7.2}, {10.3, -7.6}, {10.3, 7.6}}; }

Part pillars(int a, int b) {
    // Turned pillars with a vase and rings, screwed through both plates.
    Part out;
    double z0 = kBackPlate[1], z1 = kFrontPlate[0];
    double h = z1 - z0;
    int segs = 12 + 2 * b;
    for (V2 p : pillarPositions()) {
        std::vector<V2> prof;
        prof.push_back({0, z0});
        int n = 6 + a;
        // Base ring, vase body, neck, top ring: radius as a function of height.
        for (int k = 0; k <= n; ++k) {
            double s = double(k) / n;
            double r = 0.32 + 0.1 * std::sin(kPi * s) + 0.12 * std::exp(-std::pow((s - 0.08) / 0.05, 2)) +
                       0.12 * std::exp(-std::pow((s - 0.92) / 0.05, 2)) - 0.08 * std::exp(-std::pow((s - 0.75) / 0.06, 2));
            prof.push_back({r, z0 + h * s});
        }
        prof.push_back({0, z1});
        lathe(out, planeFrame(p.x, p.y), prof, segs, kPillarBrass, 0.5);
        // Nuts: hexagonal on the back, domed on the front.
        Frame f = planeFrame(p.x, p.y);
        extrude(out, f, circle(0.45, 6, kPi / 6), kBackPlate[0] - 0.28, kBackPlate[0], kPillarBrass, 0.5);
        lathe(out, f, {{0, kFrontPlate[1] + 0.3}, {0.25, kFrontPlate[1] + 0.26}, {0.4, kFrontPlate[1] + 0.12}, {0.45, kFrontPlate[1]}}, segs,
              kPillarBrass, 0.5);
    }
    return out;
}

Part dialFeet(int a, int b) {
    // Slender feet carrying the chapter ring, pinned on the front plate, and
    // the screws that hold the ring to them.
    Part out;
    double z0 = kFrontPlate[1], z1 = kDial[0];
    int segs = 10 + 2 * b;
    for (V2 p : dialFootPositions()) {
        std::vector<V2> prof;
        prof.push_back({0, z0});
        int n = 6 + a;
        for (int k = 0; k <= n; ++k) {
            double s = double(k) / n;
            double r = 0.22 + 0.08 * std::exp(-std::pow((s - 0.05) / 0.05, 2)) + 0.06 * std::exp(-std::pow((s - 0.95) / 0.05, 2)) -
                       0.05 * std::sin(kPi * s);
            prof.push_back({r, z0 + (z1 - z0) * s});
        }
        prof.push_back({0, z1});
        lathe(out, planeFrame(p.x, p.y), prof, segs, kPillarBrass, 0.5);
    }
    // Screws holding the plates' outer edge to the pillars from the front.
    for (V2 p : pillarPositions()) {
        Frame f = planeFrame(p.x, p.y);
        lathe(out, f, {{0, kFrontPlate[1] + 0.42}, {0.12, kFrontPlate[1] + 0.4}, {0.16, kFrontPlate[1] + 0.3}}, segs, kPillarBrass, 0.5);
    }
    return out;
}

}  // namespace body
