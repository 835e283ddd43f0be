// The scene's fixed matrices: the three camera slots, the projection and
// the clock's model matrix, built the way the program builds them.
#pragma once

#include "render/math.h"

Mat4 cameraView(int slot);
Mat4 clockModelMatrix();
Mat4 projection(float aspect);
Vec3 lightPosition(float t);
