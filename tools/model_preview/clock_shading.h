// What the clock's shader programs do to a vertex and a fragment, on the CPU:
// the per-range motions and colour flags of the clock program, the body's
// opaque/translucent split and the second hand's turn.
#pragma once

#include "render/math.h"

enum class Program { Clock, Body, SecondHand };

struct ClockTime {
    float t = 0;       // iTime
    float minute = 0;  // iMinute
    float hour = 0;    // iHour
    float second = 0;  // iSecond
};

struct ShadedVertex {
    Vec3 position;  // model space after the motions
    bool visible = true;
    Vec3 flags{0, 0, 0};  // copper, red, steel (clock); face, pin (body) in x, y
    float alpha = 1;
    float ambientK = 0.4f;
};

ShadedVertex shadeVertex(Program p, int id, const Vec3& position, const ClockTime& time);
