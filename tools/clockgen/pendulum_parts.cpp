#include "pendulum_parts.h"

#include "clock_layout.h"
#include "materials.h"
#include "primitives.h"

using namespace layout;

namespace pendulum {

namespace {

const double kPivotX = kPendulumCentre.x;
const double kRodY = kPendulumCentre.y;
const double kRodTop = kPivotX + 1.35;
const double kRodBottom = kBobX + kBobRadius + 1.6;

// Frame with its axis (w) along the rod, down the clock.
Frame alongRod(double x) { return Frame{{x, kRodY, kPendulumZ}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}}; }

}  // namespace

Part head(int a, int b) {
    Part out;
    // The suspension block: a rounded block clamping the spring's lower end,
    // with the rod's threaded socket below it.
    Frame f{{kPivotX, kRodY, kPendulumZ}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    std::vector<V2> outline;
    int n = 4 + a;
    double hx0 = -0.25, hx1 = 1.05, hw = 0.5, rr = 0.22;
    V2 corners[4] = {{hx1 - rr, hw - rr}, {hx0 + rr, hw - rr}, {hx0 + rr, -hw + rr}, {hx1 - rr, -hw + rr}};
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k <= n; ++k) outline.push_back(corners[c] + polar(rr, kPi / 2 * c + kPi / 2 * k / n));
    extrude(out, f, outline, -0.34, 0.34, kBrass);
    // Clamp screws through the block, front and back heads.
    for (double x : {0.1, 0.7}) {
        Frame sf{{kPivotX + x, kRodY, kPendulumZ}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        lathe(out, sf, {{0, 0.5}, {0.14, 0.48}, {0.19, 0.42}, {0.19, 0.34}}, 8 + 2 * b, kBrass);
        lathe(out, sf, {{0.19, -0.34}, {0.19, -0.42}, {0.14, -0.48}, {0, -0.5}}, 8 + 2 * b, kBrass);
    }
    // Socket collar for the rod.
    lathe(out, alongRod(kPivotX + 1.05), {{0, 0}, {0.3, 0}, {0.3, 0.15}, {0.22, 0.3}, {kRodRadius + 0.02, 0.36}}, 8 + 2 * b, kBrass);
    return out;
}

Part rod() {
    Part out;
    cylinder(out, alongRod(0), kRodRadius, kRodTop, kRodBottom, 32, kSteel);
    return out;
}

Part bob(int a, int b) {
    // A lens: two shallow spherical caps meeting at a rounded rim.
    Part out;
    int rings = 3 + a;
    std::vector<V2> prof;
    double r = kBobRadius, h = kBobHalfThickness;
    // Sphere radius through the rim and the apex.
    double R = (r * r + h * h) / (2 * h);
    for (int k = 0; k <= rings; ++k) {
        double rho = r * k / rings;
        prof.push_back({rho, std::sqrt(R * R - rho * rho) - (R - h)});
    }
    for (int k = rings; k >= 0; --k) {
        double rho = r * k / rings;
        prof.push_back({rho, -(std::sqrt(R * R - rho * rho) - (R - h))});
    }
    // Drop the duplicated rim point.
    prof.erase(prof.begin() + rings + 1);
    Frame f{{kBobX, kRodY, kPendulumZ}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    lathe(out, f, prof, 12 + 2 * b, kBrass, 1.0, 0.0);
    return out;
}

Part rest(int a, int b) {
    Part out;
    Frame f{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    // Suspension spring: a thin steel blade from just under the cock's chops
    // (clear of them through the whole swing) down into the head.
    box(out, f, kPivotX - 1.35, kPivotX + 0.1, kRodY - 0.06, kRodY + 0.06, kPendulumZ - 0.28, kPendulumZ + 0.28, kSteel);
    // Bezel: a turned ring round the bob's rim.
    {
        int segs = 24 + 8 * b, per = 4 + a;
        std::vector<V2> prof;
        double rr = kBobRadius + 0.05, tube = 0.16;
        for (int k = 0; k <= per * 2; ++k) {
            double t = -kPi / 2 + kPi * k / (per * 2);  // half torus facing outward
            prof.push_back({rr + tube * std::cos(t), tube * 1.6 * std::sin(t)});
        }
        Frame bf{{kBobX, kRodY, kPendulumZ}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        lathe(out, bf, prof, segs, kBrass);
    }
    // Gridiron ornament: four slender rods either side of the main rod with
    // three crossbars, between the movement and the bob.
    double g0 = 17.0, g1 = kBobX - kBobRadius - 0.3;
    int rs = 8 + 2 * b;
    for (double off : {-1.35, -0.7, 0.7, 1.35}) {
        Frame rf{{0, kRodY + off, kPendulumZ}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}};
        double r = std::abs(off) > 1 ? 0.09 : 0.11;
        lathe(out, rf, {{0, g0 - 0.3}, {r * 1.6, g0 - 0.2}, {r, g0}, {r, g1}, {r * 1.6, g1 + 0.2}, {0, g1 + 0.3}}, rs, std::abs(off) > 1 ? kSteel : kBrass);
    }
    for (double x : {g0, (g0 + g1) / 2, g1}) {
        auto bar = taperedBar(V2{x, kRodY - 1.6}, V2{x, kRodY + 1.6}, 0.22, 0.22, 3 + a / 2);
        extrude(out, f, bar, kPendulumZ - 0.18, kPendulumZ + 0.18, kBrass);
    }
    // Rating nut below the bob on the rod's threaded end, milled round its edge.
    {
        double x0 = kBobX + kBobRadius + 0.35;
        int flutes = 16 + 2 * a;
        std::vector<V2> star;
        for (int k = 0; k < flutes * 2; ++k) star.push_back(polar(k % 2 == 0 ? 0.62 : 0.55, kPi * k / flutes));
        Frame nf = alongRod(x0);
        extrude(out, nf, star, 0.0, 0.55, kBrass);
        lathe(out, alongRod(0), {{kRodRadius, x0 + 0.55}, {0.4, x0 + 0.6}, {0.3, x0 + 0.75}, {kRodRadius, x0 + 0.78}}, rs, kBrass);
        // Thread on the rod end: a zig-zag profile.
        std::vector<V2> thread;
        double t0 = kBobX + kBobRadius, t1 = kRodBottom;
        int pitches = 8 + b;
        thread.push_back({0, t0});
        for (int k = 0; k <= pitches * 2; ++k) thread.push_back({kRodRadius + (k % 2 ? 0.05 : 0.015), t0 + (t1 - t0) * k / (pitches * 2)});
        thread.push_back({0, t1});
        lathe(out, alongRod(0), thread, rs, kSteel);
    }
    // Collet holding the bob on the rod, above the bob.
    lathe(out, alongRod(0), {{kRodRadius, kBobX - kBobRadius - 0.7}, {0.3, kBobX - kBobRadius - 0.6}, {0.34, kBobX - kBobRadius - 0.1},
                             {0.5, kBobX - kBobRadius + 0.1}, {kRodRadius, kBobX - kBobRadius + 0.2}}, rs, kBrass);
    return out;
}

}  // namespace pendulum
