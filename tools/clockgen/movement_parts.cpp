#include "movement_parts.h"

#include "clock_layout.h"
#include "materials.h"

#include <algorithm>

using namespace layout;

namespace movement {

namespace {

WheelDesign design(int teeth, double module, V2 centre, double phase, ToothStyle style, const double* layer) {
    WheelDesign w;
    w.gear.teeth = teeth;
    w.gear.module = module;
    w.gear.pitchRadius = module * teeth / 2;
    w.gear.phase = phase;
    w.gear.style = style;
    w.centre = centre;
    w.z0 = layer[0];
    w.z1 = layer[1];
    w.mat = kWheelBrass;
    return w;
}

WheelDesign leaf(int teeth, double module, V2 centre, double phase, double z0, double z1, double bore) {
    double layer[2] = {z0, z1};
    WheelDesign w = design(teeth, module, centre, phase, ToothStyle::Leaf, layer);
    w.rimWidth = 0;
    w.spokes = 0;
    w.bore = bore;
    w.mat = kSteel;
    return w;
}

}  // namespace

// Phases: a tooth of the first gear of each pair points at the second along
// the line of centres, and the second shows a gap there.
WheelDesign escapePinion() { return leaf(kEscapePinion, kModuleEscapePair, kEscape, 0.0, 0.60, 1.35, 0.12); }
WheelDesign thirdWheel() {
    WheelDesign w = design(kWheel60, kModuleEscapePair, kThirdWheel, kPi + kPi / kWheel60, ToothStyle::Wheel, kLayerThird60);
    w.bore = 0.34;
    w.hubRadius = 0.95;
    w.spokeBend = 0.3;
    return w;
}
WheelDesign thirdPinion() { return leaf(kPinion15, kModuleThirdFourth, kThirdWheel, 0.0, -0.20, 0.60, 0.30); }
WheelDesign fourthWheel() {
    WheelDesign w = design(kWheel60, kModuleThirdFourth, kFourthWheel, kPi + kPi / kWheel60, ToothStyle::Wheel, kLayerFourth60);
    w.hubRadius = 0.9;
    w.spokeBend = -0.3;
    return w;
}
WheelDesign fourthPinion() { return leaf(kPinion15, kModuleThirdFourth, kFourthWheel, kPi, -1.00, -0.25, 0.14); }
WheelDesign centreWheel() {
    WheelDesign w = design(kWheel60, kModuleThirdFourth, kThirdWheel, kPi / kWheel60, ToothStyle::Wheel, kLayerCentre60);
    w.hubRadius = 0.9;
    w.spokeBend = 0.3;
    return w;
}
WheelDesign centreWheel22() {
    WheelDesign w = design(kWheel22, kModuleMotion22, kThirdWheel, kPi, ToothStyle::Wheel, kLayer22);
    w.spokes = 4;
    w.rimWidth = 0.35;
    w.hubRadius = 0.6;
    w.spokeWidth = 0.3;
    w.spokeBend = 0.0;
    return w;
}
WheelDesign centreWheel32() {
    WheelDesign w = design(kWheel32, kModuleMotion32, kThirdWheel, 0.0, ToothStyle::Wheel, kLayer32);
    w.spokes = 4;
    w.rimWidth = 0.4;
    w.hubRadius = 0.65;
    w.spokeWidth = 0.32;
    w.spokeBend = 0.2;
    return w;
}
WheelDesign topWheel() {
    WheelDesign w = design(kWheel22, kModuleMotion22, kTopWheel, kPi / kWheel22, ToothStyle::Wheel, kLayer22);
    w.spokes = 4;
    w.rimWidth = 0.35;
    w.hubRadius = 0.6;
    w.spokeWidth = 0.3;
    w.spokeBend = 0.0;
    w.bore = 0.19;
    return w;
}
WheelDesign idlerPinion() { return leaf(kPinion8, kModuleMotion32, kIdler, kPi + kPi / kPinion8, 4.10, 4.75, 0.19); }
WheelDesign idlerWheel() {
    WheelDesign w = design(kIdlerWheel, kModuleMotion32, kIdler, 0.0, ToothStyle::Wheel, kLayerIdler);
    w.spokes = 4;
    w.rimWidth = 0.38;
    w.hubRadius = 0.6;
    w.spokeWidth = 0.3;
    w.spokeBend = 0.35;
    w.bore = 0.19;
    return w;
}
WheelDesign escapeWheel() {
    WheelDesign w = design(kEscapeTeeth, kModuleEscapePair, kEscape, 0.0, ToothStyle::Escape, kLayerEscape);
    w.gear.pitchRadius = kEscapeTip;
    w.rimWidth = 0.4;
    w.spokes = 6;
    w.spokeWidth = 0.26;
    w.spokeBend = 0.45;
    w.hubRadius = 0.75;
    w.bore = 0.12;
    return w;
}

Part yokeShaft() {
    Part out;
    Frame f = planeFrame(kYokeCentre.x, kYokeCentre.y);
    cylinder(out, f, 0.18, kCrutchArm[0] - 0.25, kFrontPlate[0], 32, kSteel);
    return out;
}

Part wheelOnly(const WheelDesign& w, int a, int b) { return buildWheelBody(w, a, b); }

Part pinionWithArbor(const WheelDesign& w, double arbor0, double arbor1, int a, int b) {
    Part out = buildWheelBody(w, a, 1);
    // The arbor: a slim steel shaft with a shoulder, turned with b segments.
    double r = w.bore + 0.001;
    double shoulder = std::min(0.1, (arbor1 - arbor0) / 3);
    std::vector<V2> prof = {{0, arbor0}, {r * 0.7, arbor0}, {r, arbor0 + shoulder}, {r, arbor1 - shoulder}, {r * 0.7, arbor1}, {0, arbor1}};
    lathe(out, planeFrame(w.centre.x, w.centre.y), prof, 6 + 2 * b, w.mat);
    return out;
}

static std::vector<V2> palletPolygon(int side, double clearance) {
    // side +1: the pallet on the +y side. Built around the pallet's own
    // radial line from the escape wheel's centre.
    double ang = kPi - side * kPalletAngle;
    double rin = kEscapeTip + clearance;
    double rout = kEscapeTip + 1.3;
    double half = 0.30;
    V2 radial = polar(1, ang), tang = polar(1, ang + kPi / 2);
    auto at = [&](double r, double t) { return kEscape + radial * r + tang * t; };
    // The impulse face is bevelled: one corner reaches further in.
    double bevel = 0.22;
    double leadIn = side > 0 ? 0 : bevel, leadOut = side > 0 ? bevel : 0;
    return {at(rin + leadIn, -half), at(rout, -half), at(rout, half), at(rin + leadOut, half)};
}

static double worstGap(const std::vector<V2>& poly) {
    double worst = 1e9;
    V2 y{kYokeCentre.x, kYokeCentre.y};
    for (size_t i = 0; i < poly.size(); ++i) {
        V2 a = poly[i], b = poly[(i + 1) % poly.size()];
        for (int k = 0; k <= 20; ++k) {
            V2 p = a + (b - a) * (k / 20.0);
            for (int s = -40; s <= 40; ++s) {
                double beta = kYokeSwing * s / 40.0;
                V2 q = y + rotated(p - y, beta);
                worst = std::min(worst, len(q - kEscape) - kEscapeTip);
            }
        }
    }
    return worst;
}

std::vector<std::vector<V2>> palletOutlines() {
    std::vector<std::vector<V2>> out;
    for (int side : {1, -1}) {
        // Move the pallet out until its least gap over the whole swing is the clearance.
        double c = kPalletClearance;
        for (int it = 0; it < 60; ++it) {
            double g = worstGap(palletPolygon(side, c));
            if (g >= kPalletClearance - 1e-4) break;
            c += kPalletClearance - g + 1e-4;
        }
        out.push_back(palletPolygon(side, c));
    }
    return out;
}

Part anchor(int a, int b) {
    Part out;
    Frame f = planeFrame(0, 0);
    double z0 = kLayerEscape[0] - 0.05, z1 = kLayerEscape[1] + 0.05;
    V2 y{kYokeCentre.x, kYokeCentre.y};
    auto pallets = palletOutlines();
    for (int i = 0; i < 2; ++i) {
        int side = i == 0 ? 1 : -1;
        extrude(out, f, pallets[i], z0 - 0.05, z1 + 0.05, kSteel);
        // The arm sweeps from the hub in a bow to the back of the pallet.
        V2 root = kEscape + polar(kEscapeTip + 1.25, kPi - side * kPalletAngle);
        V2 mid = y + V2{1.2, side * 2.4};
        std::vector<V2> centre = smoothPath({y, mid, root}, 3 + a);
        std::vector<V2> l, r;
        for (size_t k = 0; k < centre.size(); ++k) {
            V2 d = centre[std::min(k + 1, centre.size() - 1)] - centre[k == 0 ? 0 : k - 1];
            V2 n = V2{-d.y, d.x} * (1.0 / len(d));
            double s = double(k) / (centre.size() - 1);
            double w = 0.42 - 0.12 * s + 0.1 * std::pow(s, 8.0);
            l.push_back(centre[k] + n * w);
            r.push_back(centre[k] - n * w);
        }
        std::vector<V2> poly = l;
        for (int k = static_cast<int>(r.size()) - 1; k >= 0; --k) poly.push_back(r[k]);
        extrude(out, f, poly, z0, z1, kBrass);
    }
    // The anchor's hub and a collet on the shaft.
    Frame hub = planeFrame(y.x, y.y);
    extrudeRing(out, hub, circle(0.85, 16 + 4 * b), circle(0.19, 8 + 2 * b), z0, z1, kBrass);
    lathe(out, hub, {{0.19, z1}, {0.55, z1}, {0.55, z1 + 0.12}, {0.45, z1 + 0.22}, {0.19, z1 + 0.25}}, 12 + 4 * b, kBrass);
    // A decorative drop below the hub between the arms.
    std::vector<V2> drop;
    for (int k = 0; k < 10 + 2 * a; ++k) {
        double t = 2 * kPi * k / (10 + 2 * a);
        drop.push_back(y + V2{1.3 + 0.5 * std::cos(t), 0.32 * std::sin(t) * (1.2 - 0.4 * std::cos(t))});
    }
    extrude(out, f, drop, z0 + 0.05, z1 - 0.05, kBrass);
    return out;
}

Part crutch(int a, int b) {
    Part out;
    V2 y{kYokeCentre.x, kYokeCentre.y};
    Frame f = planeFrame(0, 0);
    double rodY = kPendulumCentre.y;
    // The arm: tapered bar from the shaft down to just above the fork.
    auto arm = taperedBar(y, V2{kForkX, rodY}, 0.32, 0.2, 4 + a);
    extrude(out, f, arm, kCrutchArm[0], kCrutchArm[1], kBrass);
    // Collet on the shaft.
    lathe(out, planeFrame(y.x, y.y), {{0.18, kCrutchArm[1]}, {0.5, kCrutchArm[1]}, {0.5, kCrutchArm[1] + 0.15},
                                       {0.3, kCrutchArm[1] + 0.3}, {0.18, kCrutchArm[1] + 0.32}}, 10 + 4 * b, kBrass);
    // The fork: a cross block and two tines reaching back past the rod.
    double inner = kRodRadius + kForkGap;
    double x0 = kForkX - 0.35, x1 = kForkX + 0.35;
    double zBack = kPendulumZ - 0.6;
    box(out, f, x0, x1, rodY - inner - 0.32, rodY + inner + 0.32, kCrutchArm[0] - 0.25, kCrutchArm[0], kBrass);
    for (int s : {-1, 1}) {
        double ya = rodY + s * inner, yb = rodY + s * (inner + 0.26);
        box(out, f, x0, x1, std::min(ya, yb), std::max(ya, yb), zBack, kCrutchArm[0] - 0.25, kBrass);
    }
    return out;
}

Part escapeHub(int a, int b) {
    Part out;
    double z1 = kLayerEscape[1], z0 = kLayerEscape[0];
    std::vector<V2> prof = {{0.13, z0 - 0.25}, {0.55, z0 - 0.25}, {0.6, z0 - 0.18}, {0.6, z0},
                            {0.5, z0 + 0.02}, {0.5, z1 + 0.05}, {0.42, z1 + 0.2}, {0.32, z1 + 0.28}, {0.13, z1 + 0.3}};
    lathe(out, planeFrame(kEscape.x, kEscape.y), prof, 8 + a, kBrass);
    // Three small screws holding the wheel on its collet.
    for (int k = 0; k < 3; ++k) {
        V2 c = kEscape + polar(0.42, 2 * kPi * k / 3 + 0.3);
        lathe(out, planeFrame(c.x, c.y), {{0.0, z1 + 0.14}, {0.07, z1 + 0.13}, {0.09, z1 + 0.08}, {0.09, z1 + 0.04}}, 6 + b, kBrass);
    }
    return out;
}

Part centreHubs(int a, int b) {
    Part out;
    // A long pipe carrying the 22 and 32 wheels, and the collet of the great wheel.
    std::vector<V2> pipe = {{0.21, kLayer22[0] - 0.25}, {0.5, kLayer22[0] - 0.25}, {0.5, kLayer22[0]},
                            {0.36, kLayer22[0] + 0.05}, {0.36, kLayer32[1] + 0.05}, {0.46, kLayer32[1] + 0.1},
                            {0.46, kLayer32[1] + 0.3}, {0.21, kLayer32[1] + 0.32}};
    lathe(out, planeFrame(kThirdWheel.x, kThirdWheel.y), pipe, 8 + a, kBrass);
    std::vector<V2> col = {{0.21, kLayerCentre60[0] - 0.3}, {0.6, kLayerCentre60[0] - 0.3},
                           {0.65, kLayerCentre60[0] - 0.2}, {0.65, kLayerCentre60[0]}, {0.21, kLayerCentre60[0]}};
    lathe(out, planeFrame(kThirdWheel.x, kThirdWheel.y), col, 8 + b, kBrass);
    return out;
}

Part idlerHub(int a, int b) {
    Part out;
    std::vector<V2> prof = {{0.2, kLayerIdler[0] - 0.3}, {0.5, kLayerIdler[0] - 0.3}, {0.5, kLayerIdler[0]},
                            {0.42, kLayerIdler[1]}, {0.42, kLayerIdler[1] + 0.12}, {0.3, kLayerIdler[1] + 0.2},
                            {0.2, kLayerIdler[1] + 0.2}};
    lathe(out, planeFrame(kIdler.x, kIdler.y), prof, 8 + a, kBrass);
    std::vector<V2> ring = {{0.2, 4.75}, {0.35, 4.75}, {0.35, 4.85}, {0.2, 4.9}};
    lathe(out, planeFrame(kIdler.x, kIdler.y), ring, 6 + b, kBrass);
    return out;
}

Part idlerPinionAndWheel(int a, int b) {
    Part out = buildWheelBody(idlerPinion(), std::max(1, a / 2), 1);
    append(out, buildWheelBody(idlerWheel(), a, b));
    return out;
}

Part arborsAndFrame(int a, int b) {
    Part out;
    // A brass washer on the centre arbor between the bridge and the dial; it
    // comes first, so record 0 is the brass corner (2.23712, -0.17876, 7.04232).
    {
        V2 corner{2.23712 - kThirdWheel.x, -0.17876 - kThirdWheel.y};
        double r = len(corner), z = 7.04232;
        lathe(out, planeFrame(kThirdWheel.x, kThirdWheel.y), {{r, z}, {0.45, z - 0.06}, {0.45, z - 0.16}, {0.2, z - 0.16}}, 8 + 2 * b,
              kBrass, 1.0, std::atan2(corner.y, corner.x));
    }
    int n = 8 + 2 * a;
    auto arbor = [&](V2 c, double r, double z0, double z1) {
        lathe(out, planeFrame(c.x, c.y), {{0, z0}, {r * 0.8, z0}, {r, z0 + 0.08}, {r, z1 - 0.08}, {r * 0.8, z1}, {0, z1}}, n, kSteel);
    };
    arbor(kThirdWheel, 0.2, kBackPlate[0] - 0.1, kHourHand[0] - 0.02);  // centre arbor, up to the hands
    arbor(kThirdWheel, 0.12, kHourHand[0] - 0.02, kSecondHand[1] + 0.12);
    arbor(kFourthWheel, 0.14, kBackPlate[0] - 0.1, kFrontPlate[1] + 0.1);
    arbor(kTopWheel, 0.18, kFrontPlate[1], kBridge[0]);  // studs of the motion work
    arbor(kIdler, 0.18, kFrontPlate[1], kBridge[0]);
    // Pivot nuts on the back of the back plate.
    for (V2 c : {kThirdWheel, kFourthWheel, kEscape, V2{kYokeCentre.x, kYokeCentre.y}}) {
        lathe(out, planeFrame(c.x, c.y), {{0, kBackPlate[0] - 0.22}, {0.3, kBackPlate[0] - 0.18}, {0.36, kBackPlate[0]}}, 6 + b, kBrass);
    }
    return out;
}

Part suspensionCock(int a, int b) {
    // A bracket standing out from the back plate that holds the pendulum's
    // suspension spring in its chops, above the pivot.
    Part out;
    double x0 = -22.7, x1 = -21.25;
    double zPlate = kBackPlate[0];
    double zEnd = kPendulumZ - 0.7;
    Frame f = planeFrame(0, 0);
    // Foot against the plate, with rounded top.
    std::vector<V2> foot;
    for (int k = 0; k <= 6 + a; ++k) foot.push_back(V2{x0 + 0.3, 0} + polar(1.6, kPi / 2 + kPi * k / (6 + a)));
    foot.push_back({x1, -1.6});
    foot.push_back({x1, 1.6});
    extrude(out, f, foot, zPlate - 0.3, zPlate, kBrass);
    // The arm reaching back to the pendulum's plane, in two chops with a slot.
    for (int s : {-1, 1}) {
        double ya = s * 0.08, yb = s * 0.55;
        box(out, f, x0 + 0.5, x1, std::min(ya, yb), std::max(ya, yb), zEnd, zPlate - 0.3, kBrass);
    }
    // A screw through the chops.
    Frame sf{{(x0 + 0.5 + x1) / 2, 0, kPendulumZ}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}};
    lathe(out, sf, {{0, -0.75}, {0.2, -0.72}, {0.22, -0.6}, {0.1, -0.58}, {0.1, 0.6}, {0.15, 0.66}, {0, 0.7}}, 8 + 2 * b, kSteel);
    return out;
}

Part escapeCock(int a, int b) {
    // A cock on the front plate holding the escape arbor's front pivot.
    Part out;
    Frame f = planeFrame(0, 0);
    double z0 = kFrontPlate[1], z1 = kFrontPlate[1] + 0.3;
    V2 foot{-11.2, -3.8};
    extrudeRing(out, planeFrame(kEscape.x, kEscape.y), circle(0.65, 12 + 4 * a), circle(0.3, 8 + 2 * a), z0, z1, kBrass);
    extrude(out, planeFrame(foot.x, foot.y), circle(0.6, 12 + 4 * a), z0, z1, kBrass);
    extrude(out, f, taperedBar(kEscape + V2{-0.45, -0.4}, foot, 0.22, 0.3, 3 + a), z0 + 0.02, z1 - 0.02, kBrass);
    // Jewel setting over the pivot and two steady screws in the foot.
    lathe(out, planeFrame(kEscape.x, kEscape.y), {{0, z1 + 0.1}, {0.18, z1 + 0.08}, {0.3, z1 + 0.02}, {0.32, z1 - 0.05}}, 8 + 2 * b, kSteel);
    for (V2 c : {foot}) {
        lathe(out, planeFrame(c.x, c.y), {{0, z1 + 0.15}, {0.2, z1 + 0.13}, {0.28, z1 + 0.05}, {0.3, z1}}, 8 + 2 * b, kBluedSteel);
    }
    return out;
}

Part motionBridge(int a, int b) {
    // A bridge over the motion work: round bosses over the two studs, a ring
    // that clears the centre arbor, and bars joining them.
    Part out;
    Frame f = planeFrame(0, 0);
    int arc = 3 + a;
    extrudeRing(out, planeFrame(kThirdWheel.x, kThirdWheel.y), circle(1.0, 16 + 4 * a), circle(0.55, 12 + 2 * a),
                kBridge[0], kBridge[1], kBrass);
    for (V2 c : {kTopWheel, kIdler}) extrude(out, planeFrame(c.x, c.y), circle(0.7, 12 + 4 * a), kBridge[0], kBridge[1], kBrass);
    for (int s : {-1, 1}) {
        extrude(out, f, taperedBar(kTopWheel + V2{0.4, s * 0.35}, kThirdWheel + V2{-0.85, s * 0.5}, 0.22, 0.2, arc),
                kBridge[0] + 0.02, kBridge[1] - 0.02, kBrass);
        extrude(out, f, taperedBar(kThirdWheel + V2{0.85, s * 0.5}, kIdler + V2{-0.4, s * 0.35}, 0.2, 0.22, arc),
                kBridge[0] + 0.02, kBridge[1] - 0.02, kBrass);
    }
    // Stud heads.
    for (V2 c : {kTopWheel, kIdler}) {
        lathe(out, planeFrame(c.x, c.y), {{0, kBridge[1] + 0.16}, {0.25, kBridge[1] + 0.14}, {0.34, kBridge[1] + 0.05}, {0.36, kBridge[1]}},
              8 + 2 * b, kBluedSteel);
    }
    return out;
}

Part bushing(V2 at, double z, int mat) {
    Part out;
    lathe(out, planeFrame(at.x, at.y), {{0, z + 0.1}, {0.34, z}}, 16, mat);
    return out;
}

Part taperPin() {
    // A small taper pin through the yoke's collet on the front plate side.
    Part out;
    V3 tip{kYokeCentre.x - 0.7, 0.0, kFrontPlate[1] + 0.05};
    V3 b0{kYokeCentre.x - 0.35, -0.08, kFrontPlate[1]}, b1{kYokeCentre.x - 0.35, 0.08, kFrontPlate[1]},
        b2{kYokeCentre.x - 0.35, 0.0, kFrontPlate[1] + 0.14};
    V3 pts[4] = {tip, b0, b1, b2};
    int faces[4][3] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 1}, {1, 3, 2}};
    V3 c = (tip + b0 + b1 + b2) * 0.25;
    for (auto& fc : faces) {
        V3 p0 = pts[fc[0]], p1 = pts[fc[1]], p2 = pts[fc[2]];
        V3 n = unit(cross(p1 - p0, p2 - p0));
        if (dot(n, p0 - c) < 0) n = -n;
        Tri t;
        t.mat = kSteel;
        t.v[0] = Vert{p0, n, {0, 0}};
        t.v[1] = Vert{p1, n, {0.3, 0}};
        t.v[2] = Vert{p2, n, {0, 0.3}};
        out.push_back(t);
    }
    return out;
}

}  // namespace movement
