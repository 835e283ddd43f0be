// Where everything sits, in model units (x down the clock, y to the right,
// z toward the viewer). The motion centres are those the shaders turn the
// parts about; depths are free and chosen so that nothing collides.
#pragma once

#include "geometry.h"

namespace layout {

inline constexpr double kPi = 3.14159265358979323846;

// Motion centres.
inline constexpr V3 kPendulumCentre{-19.8062, 0.04179, -1.290};
inline constexpr V3 kYokeCentre{-14.83, 0.0, 6.45};
inline constexpr V2 kEscape{-6.74, 0.0};
inline constexpr V2 kThirdWheel{1.97, 0.0};  // gears 35/33, and the centre wheel on the same axis
inline constexpr V2 kFourthWheel{10.66, 0.0};
inline constexpr V2 kTopWheel{-3.12, 0.0};
inline constexpr V2 kIdler{6.60, 0.0};
inline constexpr V2 kHands{2.0, 0.0};

// Tooth counts of the train.
inline constexpr int kEscapeTeeth = 30, kEscapePinion = 16;
inline constexpr int kWheel60 = 60, kPinion15 = 15;
inline constexpr int kWheel22 = 22, kWheel32 = 32, kPinion8 = 8, kIdlerWheel = 24;

// Modules: centre distance / ((teeth + teeth) / 2) for each meshing pair.
inline constexpr double kModuleEscapePair = (1.97 + 6.74) / 38.0;
inline constexpr double kModuleThirdFourth = (10.66 - 1.97) / 37.5;
inline constexpr double kModuleMotion22 = (1.97 + 3.12) / 22.0;
inline constexpr double kModuleMotion32 = (6.60 - 1.97) / 20.0;

// Escape wheel tip radius and the anchor's pallets.
inline constexpr double kEscapeTip = 5.0;
inline constexpr double kPalletAngle = 32.0 * kPi / 180.0;  // from the line of centres, seen from the wheel
inline constexpr double kPalletClearance = 0.05;             // least gap to the tip circle while rocking
inline constexpr double kYokeSwing = 0.12;                   // radians each way
inline constexpr double kPendulumSwing = 0.075;

// Depth layers (z0, z1).
inline constexpr double kBackPlate[2] = {-1.55, -1.20};
inline constexpr double kFrontPlate[2] = {2.55, 2.90};
inline constexpr double kLayerCentre60[2] = {-0.80, -0.45};
inline constexpr double kLayerFourth60[2] = {0.00, 0.35};
inline constexpr double kLayerThird60[2] = {0.80, 1.15};
inline constexpr double kLayerEscape[2] = {1.55, 1.90};
inline constexpr double kLayer22[2] = {3.45, 3.75};
inline constexpr double kLayer32[2] = {4.25, 4.55};
inline constexpr double kLayerIdler[2] = {5.05, 5.35};
inline constexpr double kBridge[2] = {5.90, 6.20};
inline constexpr double kDial[2] = {8.20, 8.60};
inline constexpr double kHourHand[2] = {8.85, 8.97};
inline constexpr double kMinuteHand[2] = {9.15, 9.27};
inline constexpr double kSecondHand[2] = {9.45, 9.55};

// Pendulum: rod plane, the bob's centre and size.
inline constexpr double kPendulumZ = -3.2;
inline constexpr double kRodRadius = 0.14;
inline constexpr double kBobX = 33.0;
inline constexpr double kBobRadius = 4.3;
inline constexpr double kBobHalfThickness = 0.75;

// Crutch: arm plane and the fork around the rod where crutch and rod move together.
inline constexpr double kCrutchArm[2] = {-2.35, -2.05};
inline constexpr double kForkX = -6.5;
inline constexpr double kForkGap = 0.08;  // between each tine and the rod

// Chapter ring.
inline constexpr double kRingInner = 8.0;
inline constexpr double kRingOuter = 11.8;

// Hands' zero angles: each hand is modelled turned clockwise (as seen) by
// minus the turn the shader gives it at a value of 0.
inline constexpr double kMinuteZero = -0.16, kHourZero = 2.695, kSecondZero = -0.097;

// Direction of a hand turned `clockwise` radians from 12 o'clock, as seen.
inline V2 dialDirection(double clockwise) { return {-std::cos(clockwise), std::sin(clockwise)}; }

}  // namespace layout
