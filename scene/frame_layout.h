// The fixed geometry of a frame: the camera's three viewpoints, the three
// passes' viewports, the light's path and the model matrices.
#pragma once

#include "render/math.h"

class TransformStack;

inline constexpr int kPassCount = 3;

// Stores the three viewpoints: slot 0 from the initial frame at (0, 0, 100);
// slot 1 from (0, 20.2, 13) pitched down 40°; slot 2 from (22, −8, 45) after a
// net pitch of +28° and a yaw of 30°.
void storeViewpoints(TransformStack& camera);

struct Viewport {
    int x, y, width, height;
};

// The clock group's viewport in pass 0 (whole window), 1 (lower-left third)
// or 2 (lower-right third); thirds computed in float and truncated.
Viewport passViewport(int pass, int windowWidth, int windowHeight);
// The camera slot of the clock group in that pass.
inline int passCameraSlot(int pass) { return pass; }

// The light at frame time t: (80 sin 0.2t + 20, 40, 40 cos 0.2t + 120).
Vec3 lightPositionAt(float t);

// translate(0, 10, 5) × rotate(−10°, Y) × rotate(−90°, Z).
Mat4 clockModelMatrix();
// translate(0, 0, −300).
Mat4 backgroundModelMatrix();

// The perspective of every pass: 50° vertical field of view, near 0.1, far 1000.
Mat4 sceneProjection(float aspectRatio);
