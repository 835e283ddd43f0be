#include "wheel.h"

#include <algorithm>

namespace {
const double kPi = 3.14159265358979323846;

std::vector<V2> spokeOutline(double r0, double r1, double a, double bend, double w0, double w1, int segs) {
    std::vector<V2> left, right;
    for (int i = 0; i <= segs; ++i) {
        double s = static_cast<double>(i) / segs;
        double r = r0 + (r1 - r0) * s;
        double ang = a + bend * s * s;
        // Width tapers outward and flares where the spoke meets the rim.
        double w = w0 + (w1 - w0) * s + 0.5 * w1 * std::pow(s, 6.0);
        V2 c = polar(r, ang);
        double dr = (r1 - r0), da = 2 * bend * s;
        V2 tangent = polar(dr, ang) + polar(r * da, ang + kPi / 2);
        V2 n = V2{-tangent.y, tangent.x} * (1.0 / len(tangent));
        left.push_back(c + n * (w / 2));
        right.push_back(c - n * (w / 2));
    }
    std::vector<V2> poly = right;
    for (int i = segs; i >= 0; --i) poly.push_back(left[i]);
    return poly;
}
}  // namespace

Part buildWheelBody(const WheelDesign& w, int detail, int ring) {
    Part out;
    GearOutline o = gearOutline(w.gear, std::max(1, detail));
    Frame f = planeFrame(w.centre.x, w.centre.y);
    for (const auto& tooth : o.teeth) extrudeOpenBase(out, f, tooth, w.z0, w.z1, w.mat);
    int n = w.gear.teeth * std::max(1, ring);
    double a0 = w.gear.phase + kPi / w.gear.teeth;
    std::vector<V2> outer = circle(o.rootRadius, n, a0);
    bool solid = w.rimWidth <= 0 || w.spokes == 0;
    double inner = solid ? w.bore : o.rootRadius - w.rimWidth;
    int ni = std::max(12, static_cast<int>(n * inner / o.rootRadius));
    extrudeRing(out, f, outer, circle(inner, ni, a0), w.z0, w.z1, w.mat);
    if (!solid) {
        double t = (w.z1 - w.z0) * 0.12;  // crossings slightly thinner than the rim
        for (int s = 0; s < w.spokes; ++s) {
            double a = w.gear.phase + 2 * kPi * (s + 0.5) / w.spokes;
            auto poly = spokeOutline(w.hubRadius * 0.8, inner + 0.12, a, w.spokeBend, w.spokeWidth,
                                     w.spokeWidth * 0.55, 2 + ring);
            extrude(out, f, poly, w.z0 + t, w.z1 - t, w.mat);
        }
        // The boss the crossings meet in.
        extrudeRing(out, f, circle(w.hubRadius, 12 + 2 * ring), circle(w.bore, 8 + ring), w.z0, w.z1, w.mat);
    }
    return out;
}

Part collet(V2 centre, const std::vector<V2>& profile, int segments, int mat) {
    Part out;
    lathe(out, planeFrame(centre.x, centre.y), profile, segments, mat);
    return out;
}

Part buildWheel(const WheelDesign& w, int detail, int ring) {
    Part out = buildWheelBody(w, detail, ring);
    if (w.hubMat >= 0 && w.hubZ0 < w.hubZ1) {
        double r = w.hubRadius * 0.75;
        std::vector<V2> prof = {{w.bore, w.hubZ0}, {r, w.hubZ0}, {r, w.hubZ1 - 0.05}, {r - 0.05, w.hubZ1}, {w.bore, w.hubZ1}};
        append(out, collet(w.centre, prof, 12 + 4 * ring, w.hubMat));
    }
    return out;
}
