// Flat outlines of toothed wheels, pinions and the escape wheel, in the
// gear's own plane around its centre. A gear is a disc up to its root circle
// plus one polygon per tooth; the tooth polygons reach a little below the root
// circle so that the solid they make with the disc has no seam.
#pragma once

#include "geometry.h"

#include <vector>

enum class ToothStyle {
    Wheel,   // clock wheel: radial flanks, ogival addendum
    Leaf,    // pinion leaf: radial flanks, rounded tip, deep root
    Escape,  // escape wheel: pointed teeth leaning toward the direction of turn
};

struct GearShape {
    int teeth = 60;
    double pitchRadius = 1;  // module × teeth / 2 (escape wheel: the tip radius)
    double module = 0.23;
    double phase = 0;  // angle of the centre of tooth 0, radians, counter-clockwise from +x
    ToothStyle style = ToothStyle::Wheel;
};

struct GearOutline {
    double rootRadius = 0;
    double tipRadius = 0;
    std::vector<std::vector<V2>> teeth;  // the closing edge of each is its base, inside the disc
};

// tipPoints: points along each side of the tooth's addendum (>= 1).
GearOutline gearOutline(const GearShape& g, int tipPoints);

// Angular pitch of a gear, radians.
double toothPitch(const GearShape& g);

// Addendum and dedendum of each style, in modules.
double addendumModules(ToothStyle s);
double dedendumModules(ToothStyle s);

// True when the point (in the gear's frame, turned by angle) is inside the solid.
bool insideGear(const GearOutline& o, V2 p, double angle);

// True when p lies inside the polygon (even-odd rule).
bool insidePolygon(const std::vector<V2>& poly, V2 p);
