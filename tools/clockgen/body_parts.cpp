#include "body_parts.h"

#include "clock_layout.h"
#include "materials.h"
#include "primitives.h"

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

// Half outline of the plates, top to bottom: (x, half width).
std::vector<V2> mirrored(const std::vector<V2>& half) {
    std::vector<V2> loop;
    for (V2 p : half) loop.push_back({p.x, -p.y});
    for (int i = static_cast<int>(half.size()) - 2; i >= 1; --i) loop.push_back({half[i].x, half[i].y});
    return loop;
}

Part plate(const std::vector<V2>& outline, const double* layer) {
    Part out;
    extrude(out, planeFrame(0, 0), outline, layer[0], layer[1], kGlassBrass, 0.5);
    return out;
}

}  // namespace

std::vector<V2> frontPlateOutline(int n) {
    return resample(mirrored({{-17.3, 0}, {-16.9, 1.9}, {-15.6, 4.0}, {-13.6, 6.6}, {-11.0, 7.2}, {-7.0, 7.4},
                              {-3.5, 8.2}, {2.0, 8.8}, {7.5, 9.0}, {12.0, 8.7}, {15.6, 7.8}, {17.8, 6.2},
                              {19.0, 3.6}, {19.4, 0}}),
                    n);
}

std::vector<V2> backPlateOutline(int n) {
    return resample(mirrored({{-23.4, 0}, {-23.2, 1.1}, {-22.2, 1.9}, {-20.4, 2.0}, {-18.6, 3.0}, {-16.6, 4.6},
                              {-13.6, 6.6}, {-11.0, 7.2}, {-7.0, 7.4}, {-3.5, 8.2}, {2.0, 8.8}, {7.5, 9.0},
                              {12.0, 8.7}, {15.6, 7.8}, {17.8, 6.2}, {19.0, 3.6}, {19.4, 0}}),
                    n);
}

Part backPlate(int n) { return plate(backPlateOutline(n), kBackPlate); }
Part frontPlate(int n) { return plate(frontPlateOutline(n), kFrontPlate); }

std::vector<V2> pillarPositions() { return {{-12.4, -5.6}, {-12.4, 5.6}, {15.6, -6.3}, {15.6, 6.3}}; }
std::vector<V2> dialFootPositions() { return {{-5.5, -7.2}, {-5.5, 7.2}, {10.3, -7.6}, {10.3, 7.6}}; }

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
