// The clock body: translucent plates, turned pillars, dial feet and screws.
#pragma once

#include "geometry.h"

namespace body {

// The plates' outlines (model x, y), counter-clockwise, n points.
std::vector<V2> frontPlateOutline(int n);
std::vector<V2> backPlateOutline(int n);

Part backPlate(int n);   // 4n - 4 triangles
Part frontPlate(int n);  // 4n - 4 triangles
Part pillars(int a, int b);    // between the plates, with their nuts
Part dialFeet(int a, int b);   // from the front plate to the chapter ring, with screws

// Where the pillars and the dial feet stand (model x, y).
std::vector<V2> pillarPositions();
std::vector<V2> dialFootPositions();

}  // namespace body
