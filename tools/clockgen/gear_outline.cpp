#include "gear_outline.h"

#include <cmath>

namespace {
const double kPi = 3.14159265358979323846;

// Tooth thickness at the pitch circle as a share of the circular pitch; the
// rest of the pitch is the space the mating tooth moves in.
double thicknessShare(ToothStyle s) { return s == ToothStyle::Leaf ? 0.36 : 0.44; }
}  // namespace

double addendumModules(ToothStyle s) { return s == ToothStyle::Leaf ? 0.55 : 1.25; }
double dedendumModules(ToothStyle s) { return s == ToothStyle::Leaf ? 1.65 : 1.45; }

double toothPitch(const GearShape& g) { return 2 * kPi / g.teeth; }

static std::vector<V2> flankTooth(const GearShape& g, double centre, int tipPoints, double rr) {
    double rp = g.pitchRadius;
    double add = addendumModules(g.style) * g.module;
    double halfAngle = thicknessShare(g.style) * toothPitch(g) / 2;
    double below = rr - 0.25 * g.module;  // reaches into the disc
    std::vector<V2> side;                 // one side, pitch circle to tip, at angle -halfAngle
    side.push_back(polar(rp, -halfAngle));
    for (int j = 1; j < tipPoints; ++j) {
        double u = kPi / 2 * j / tipPoints;
        side.push_back(polar(rp + add * std::sin(u), -halfAngle * std::cos(u)));
    }
    std::vector<V2> poly;
    poly.push_back(polar(below, -halfAngle));
    for (V2 p : side) poly.push_back(p);
    poly.push_back(polar(rp + add, 0));
    for (int i = static_cast<int>(side.size()) - 1; i >= 0; --i) poly.push_back(V2{side[i].x, -side[i].y});
    poly.push_back(polar(below, halfAngle));
    for (V2& p : poly) p = rotated(p, centre);
    return poly;
}

static std::vector<V2> escapeTooth(const GearShape& g, double centre, int tipPoints, double rr) {
    // Drawn for a wheel turning toward smaller angles (the locking face leads
    // on the low-angle side and leans forward, the back curves down), then
    // mirrored: the escape wheel turns toward larger angles.
    double tau = toothPitch(g);
    double rt = g.pitchRadius;
    double below = rr - 0.06;
    double a0 = -0.30 * tau;  // foot of the locking face
    double lean = 0.16 * tau;
    double tipW = 0.06 * tau;
    double backEnd = 0.48 * tau;
    std::vector<V2> poly;
    poly.push_back(polar(below, a0));
    poly.push_back(polar(rt, a0 - lean));
    poly.push_back(polar(rt - 0.03, a0 - lean + tipW));
    // Concave back from the tip down to the root.
    V2 from = polar(rt - 0.03, a0 - lean + tipW), to = polar(rr, backEnd);
    int n = tipPoints + 2;
    for (int j = 1; j < n; ++j) {
        double s = static_cast<double>(j) / n;
        double r = (rt - 0.03) + (rr - (rt - 0.03)) * (1 - std::pow(1 - s, 1.8));
        double a = (a0 - lean + tipW) + (backEnd - (a0 - lean + tipW)) * s;
        poly.push_back(polar(r, a));
    }
    (void)from;
    (void)to;
    poly.push_back(polar(below, backEnd));
    // Base runs back along the root circle.
    for (V2& p : poly) p = rotated(V2{p.x, -p.y}, centre);
    return poly;
}

GearOutline gearOutline(const GearShape& g, int tipPoints) {
    GearOutline o;
    if (g.style == ToothStyle::Escape) {
        o.tipRadius = g.pitchRadius;
        o.rootRadius = g.pitchRadius - 0.8;
    } else {
        o.rootRadius = g.pitchRadius - dedendumModules(g.style) * g.module;
        o.tipRadius = g.pitchRadius + addendumModules(g.style) * g.module;
    }
    for (int k = 0; k < g.teeth; ++k) {
        double centre = g.phase + toothPitch(g) * k;
        o.teeth.push_back(g.style == ToothStyle::Escape ? escapeTooth(g, centre, tipPoints, o.rootRadius)
                                                        : flankTooth(g, centre, tipPoints, o.rootRadius));
    }
    return o;
}

bool insidePolygon(const std::vector<V2>& poly, V2 p) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        V2 a = poly[i], b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

bool insideGear(const GearOutline& o, V2 p, double angle) {
    V2 q = rotated(p, -angle);
    if (len(q) <= o.rootRadius) return true;
    if (len(q) > o.tipRadius + 1e-9) return false;
    for (const auto& t : o.teeth)
        if (insidePolygon(t, q)) return true;
    return false;
}
