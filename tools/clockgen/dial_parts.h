// Dial, numerals and hands.
#pragma once

#include "geometry.h"

namespace dial {

// Chapter ring: the body's opaque dial, and the clock mesh's own copy that
// the clock program never draws.
Part chapterRing(int a, int b, int mat, double z0, double z1, double uv);
Part numeralsAndTrack(int a, int b);
Part minuteHand(int a, int b);
Part hourHand(int a, int b);
Part secondHand(int a, int b);

// A hand's outline before it is turned to its zero angle: x along the hand
// (toward the tip), y across it.
std::vector<V2> handOutline(const std::vector<V2>& halfProfile, int per);

}  // namespace dial
