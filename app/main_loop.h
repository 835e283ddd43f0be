// The frame loop and its clock.
#pragma once

// Set by the first frame once the local-time snapshot has been taken.
extern bool g_clockStarted;
// Frame time of the last tick; 0.0 means no tick yet.
extern float g_lastTickTime;

// Assembles the scene, renders frames until the run ends, releases the tick.
void runMainLoop();

// One frame's clock work and rendering.
void advanceFrame();

// Deletes the tick sound player, if there is one.
void releaseTickSound();

// The tick rule, in single precision: due when t has reached the last tick
// plus one second, or when no tick has been played yet (last tick 0.0).
bool tickIsDue(float t, float lastTickTime);
