// A complete toothed wheel or pinion: teeth, rim, crossings (spokes) and hub.
#pragma once

#include "gear_outline.h"
#include "primitives.h"

struct WheelDesign {
    GearShape gear;
    V2 centre;
    double z0 = 0, z1 = 0.3;
    double rimWidth = 0.45;  // band inside the root circle; <= 0: solid down to the bore
    double bore = 0.2;
    int spokes = 5;
    double spokeWidth = 0.35;  // near the hub; the spokes taper toward the rim
    double spokeBend = 0.25;   // radians the spoke turns between hub and rim
    double hubRadius = 0.7;
    double hubZ0 = 0, hubZ1 = 0.3;  // a turned collet when hubZ0 < hubZ1 extends beyond the plate
    int mat = 0;
    int hubMat = -1;  // -1: no collet
};

// detail: tip points per tooth side; ring: segments of the rim per tooth.
Part buildWheel(const WheelDesign& w, int detail, int ring);

// The flat band, teeth and crossings only (no collet).
Part buildWheelBody(const WheelDesign& w, int detail, int ring);

// A turned collet around the axis: profile of (radius, z) pairs.
Part collet(V2 centre, const std::vector<V2>& profile, int segments, int mat);
