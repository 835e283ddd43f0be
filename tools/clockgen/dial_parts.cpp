#include "dial_parts.h"

#include "clock_layout.h"
#include "materials.h"
#include "primitives.h"

#include <array>

using namespace layout;

namespace dial {

Part chapterRing(int a, int b, int mat, double z0, double z1, double uv) {
    // A turned ring: beaded inner and outer edges around a flat band.
    Part out;
    double ri = kRingInner, ro = kRingOuter;
    int bead = 2 + a;
    std::vector<V2> prof;
    prof.push_back({ri + 0.05, z0});
    prof.push_back({ro - 0.1, z0});
    for (int k = 0; k <= bead; ++k) {
        double t = -kPi / 2 + kPi * k / bead;
        prof.push_back({ro - 0.18 + 0.18 * std::cos(t), (z1 + 0.06 + z0) / 2 + (z1 + 0.06 - z0) / 2 * std::sin(t)});
    }
    prof.push_back({ro - 0.45, z1});
    prof.push_back({ri + 0.45, z1});
    for (int k = 0; k <= bead; ++k) {
        double t = kPi / 2 + kPi * k / bead;
        prof.push_back({ri + 0.18 + 0.18 * std::cos(t), (z1 + 0.04 + z0) / 2 + (z1 + 0.04 - z0) / 2 * std::sin(t)});
    }
    lathe(out, planeFrame(kHands.x, kHands.y), prof, 48 + 8 * b, mat, uv);
    return out;
}

namespace {

struct Stroke {
    V2 a, b;  // centre line, glyph units (x right, y up), height 1
    double w;
};

// Roman numerals from strokes. Returns strokes and the glyph's width.
std::vector<Stroke> numeral(int hour, double& width) {
    const char* names[12] = {"XII", "I", "II", "III", "IIII", "V", "VI", "VII", "VIII", "IX", "X", "XI"};
    const char* s = names[hour % 12];
    std::vector<Stroke> out;
    double x = 0;
    const double thick = 0.15, thin = 0.07, gap = 0.1;
    for (const char* c = s; *c; ++c) {
        if (*c == 'I') {
            out.push_back({{x + thick / 2, 0}, {x + thick / 2, 1}, thick});
            x += thick + gap;
        } else if (*c == 'V') {
            out.push_back({{x + 0.3, 0}, {x + 0.05, 1}, thick});
            out.push_back({{x + 0.3, 0}, {x + 0.55, 1}, thin});
            x += 0.6 + gap;
        } else {  // X
            out.push_back({{x + 0.05, 1}, {x + 0.55, 0}, thick});
            out.push_back({{x + 0.05, 0}, {x + 0.55, 1}, thin});
            x += 0.6 + gap;
        }
    }
    width = x - gap;
    return out;
}

// Radial frame at a dial position `clockwise` from 12: u along the
// clockwise tangent, v outward, w toward the viewer.
Frame dialFrame(double clockwise, double radius, double z) {
    V2 er = dialDirection(clockwise);
    V2 et{std::sin(clockwise), std::cos(clockwise)};
    V2 c = kHands + er * radius;
    return Frame{{c.x, c.y, z}, {et.x, et.y, 0}, {er.x, er.y, 0}, {0, 0, 1}};
}

void raised(Part& out, const Frame& f, const std::vector<V2>& poly, double z0, double z1) {
    extrude(out, f, poly, z0, z1, kBlack, 1.0, false);
    flatPolygon(out, f, poly, z1, false, kBlack);
}

}  // namespace

Part numeralsAndTrack(int a, int b) {
    Part out;
    double z0 = kDial[1] - 0.01, z1 = kDial[1] + 0.035;
    const double height = 1.25, rBase = 8.75;
    for (int h = 0; h < 12; ++h) {
        double ang = 2 * kPi * h / 12;
        double width;
        auto strokes = numeral(h, width);
        Frame f = dialFrame(ang, 0, 0);
        f.origin = V3{kHands.x, kHands.y, 0};
        for (const Stroke& s : strokes) {
            // Glyph (gx, gy) -> tangent gx - width/2, radial rBase + gy * height.
            V2 p = {(s.a.x - width / 2) * height, rBase + s.a.y * height};
            V2 q = {(s.b.x - width / 2) * height, rBase + s.b.y * height};
            V2 d = q - p;
            V2 n = V2{-d.y, d.x} * (s.w * height / 2 / len(d));
            // Serifs: flare the stroke ends slightly.
            V2 e = d * (1.0 / len(d));
            raised(out, f, {p - n * 1.3 - e * 0.02, p + n * 1.3 - e * 0.02, q + n * 1.3 + e * 0.02, q - n * 1.3 + e * 0.02}, z0, z1);
        }
    }
    // Minute track: two fine circles and sixty ticks, the five-minute ones longer.
    int segs = 40 + 4 * a;
    Frame c = planeFrame(kHands.x, kHands.y);
    for (double r : {10.45, 11.3}) {
        ringFace(out, c, circle(r + 0.035, segs), circle(r - 0.035, segs), z1 - 0.005, false, kBlack);
    }
    for (int m = 0; m < 60; ++m) {
        double ang = 2 * kPi * m / 60;
        bool five = m % 5 == 0;
        Frame f = dialFrame(ang, 0, 0);
        f.origin = V3{kHands.x, kHands.y, 0};
        double w = five ? 0.07 : 0.035;
        double r0 = five ? 10.3 : 10.45, r1 = 11.3;
        flatPolygon(out, f, {{-w, r0}, {w, r0}, {w, r1}, {-w, r1}}, z1 - 0.002, false, kBlack);
        if (five && b > 1) {
            // A small lozenge outside the track at every five minutes.
            raised(out, f, {{0, 11.38}, {0.09, 11.5}, {0, 11.62}, {-0.09, 11.5}}, z0, z1);
        }
    }
    return out;
}

std::vector<V2> handOutline(const std::vector<V2>& half, int per) {
    // Mirror the half profile (along, half width) into a closed outline.
    std::vector<V2> ctrl;
    for (V2 p : half) ctrl.push_back(p);
    std::vector<V2> side = smoothPath(ctrl, per);
    std::vector<V2> poly;
    for (V2 p : side) poly.push_back({p.x, -std::abs(p.y)});
    for (int i = static_cast<int>(side.size()) - 2; i >= 1; --i) poly.push_back({side[i].x, std::abs(side[i].y)});
    // Remove points that collapse onto the axis ends twice.
    return poly;
}

namespace {

Part hand(const std::vector<V2>& half, double zeroAngle, const double* layer, int a, int b, double bossR, int mat) {
    Part out;
    // Modelled at minus its zero angle, so a shader value of 0 shows 12 o'clock.
    V2 dir = dialDirection(-zeroAngle);
    Frame f{{kHands.x, kHands.y, 0}, {dir.x, dir.y, 0}, {-dir.y, dir.x, 0}, {0, 0, 1}};
    extrude(out, f, handOutline(half, a), layer[0], layer[1], mat);
    Frame c = planeFrame(kHands.x, kHands.y);
    lathe(out, c, {{0.13, layer[0] - 0.06}, {bossR, layer[0] - 0.06}, {bossR, layer[1] + 0.02}, {bossR * 0.7, layer[1] + 0.06}, {0.13, layer[1] + 0.06}},
          6 + b, mat);
    return out;
}

}  // namespace

Part minuteHand(int a, int b) {
    std::vector<V2> half = {{-2.2, 0.0}, {-2.15, 0.26}, {-1.7, 0.32}, {-1.2, 0.16}, {-0.5, 0.34}, {0, 0.55}, {0.5, 0.34},
                            {1.2, 0.19}, {5.0, 0.16}, {7.5, 0.13}, {8.2, 0.34}, {8.9, 0.12}, {10.3, 0.07}, {10.9, 0.0}};
    return hand(half, kMinuteZero, kMinuteHand, a, b, 0.42, kBluedSteel);
}

Part hourHand(int a, int b) {
    std::vector<V2> half = {{-1.7, 0.0}, {-1.65, 0.3}, {-1.1, 0.34}, {-0.6, 0.2}, {-0.3, 0.6}, {0, 0.7}, {0.35, 0.55},
                            {1.0, 0.26}, {4.0, 0.22}, {4.6, 0.7}, {5.3, 0.85}, {6.0, 0.6}, {6.4, 0.2}, {7.3, 0.0}};
    return hand(half, kHourZero, kHourHand, a, b, 0.55, kBluedSteel);
}

Part secondHand(int a, int b) {
    std::vector<V2> half = {{-3.2, 0.0}, {-3.1, 0.33}, {-2.6, 0.42}, {-2.1, 0.3}, {-1.9, 0.07}, {-0.4, 0.07},
                            {-0.2, 0.27}, {0, 0.3}, {0.2, 0.27}, {0.45, 0.06}, {8.0, 0.04}, {11.2, 0.0}};
    return hand(half, kSecondZero, kSecondHand, a, b, 0.3, kSecondHandMat);
}

}  // namespace dial
