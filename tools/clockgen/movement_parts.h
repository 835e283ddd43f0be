// The going train, the escapement and the static frame pieces of the clock
// mesh. Builders that take (a, b) grow with both: the assembly picks the
// finest pair that fits each range's triangle budget.
#pragma once

#include "geometry.h"
#include "wheel.h"

namespace movement {

// The designs of every meshing wheel and pinion (also used by the checks).
WheelDesign escapePinion();
WheelDesign escapeWheel();
WheelDesign thirdWheel();
WheelDesign thirdPinion();
WheelDesign fourthWheel();
WheelDesign fourthPinion();
WheelDesign centreWheel();
WheelDesign centreWheel22();
WheelDesign centreWheel32();
WheelDesign topWheel();
WheelDesign idlerPinion();
WheelDesign idlerWheel();

Part yokeShaft();
Part anchor(int a, int b);
Part crutch(int a, int b);
Part pinionWithArbor(const WheelDesign& w, double arbor0, double arbor1, int a, int b);
Part wheelOnly(const WheelDesign& w, int a, int b);
Part escapeHub(int a, int b);
Part centreHubs(int a, int b);
Part idlerHub(int a, int b);
Part idlerPinionAndWheel(int a, int b);

// Static pieces.
Part arborsAndFrame(int a, int b);
Part suspensionCock(int a, int b);
Part escapeCock(int a, int b);
Part motionBridge(int a, int b);
Part bushing(V2 at, double z, int mat);  // 16 triangles
Part taperPin();                         // 4 triangles

// The anchor's pallets as flat outlines (model x, y) at rest, for the checks.
std::vector<std::vector<V2>> palletOutlines();

}  // namespace movement
