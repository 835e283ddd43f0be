// The pendulum: suspension head, rod, lenticular bob, and the rest (spring,
// gridiron ornament, bezel, rating nut). Built hanging straight down (+x)
// from the pivot, in the plane behind the movement.
#pragma once

#include "geometry.h"

namespace pendulum {

Part head(int a, int b);
Part rod();  // 124 triangles
Part bob(int a, int b);
Part rest(int a, int b);

}  // namespace pendulum
