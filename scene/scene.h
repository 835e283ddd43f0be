// The scene: built once, rendered once per frame.
#pragma once

class SceneState;

// Creates everything the picture needs; the GL context must be current.
// Without the tick the player is made but no sound device is opened.
void setupScene(bool withTick = true);

// Renders one frame at frame time t (seconds, the frame clock's double
// precision); the caller swaps buffers.
void renderFrame(double t);

// The scene's per-frame state, created by setupScene.
extern SceneState* g_sceneState;
