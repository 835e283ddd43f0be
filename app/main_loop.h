// The frame loop and its clock.
#pragma once

class TickTurn;
// Who plays the tick on this display; null plays every tick (tests).
extern TickTurn* g_tickTurn;

// Set by the first frame once the local-time snapshot has been taken.
extern bool g_clockStarted;
// Frame time of the last tick, and when the next one is due. Kept in double
// precision, like the whole frame clock, so the ticks stay a second apart
// however long the screensaver runs.
extern double g_lastTickTime;
extern double g_nextTickTime;

// Assembles the scene, renders frames until the run ends, releases the tick.
void runMainLoop();

// One frame's clock work and rendering.
void advanceFrame();

// The clock work of a frame at frame time t: the local-time snapshot on the
// first frame (and again whenever the shown time has parted from the wall
// clock), the tick when due, and the frame time for the scene.
void advanceClock(double t);

// After a rest (the display was off): the next tick falls due at the first
// whole second of the shown time after frame time t.
void tickAgainAfterRest(double t);

// Deletes the tick sound player, if there is one.
void releaseTickSound();

// The tick rule: the first frame ticks, then each frame that reaches a whole
// second of the shown time, counted from the snapshot's second start. After a
// tick at t that was due at due, the next is due at the first whole second
// after t: a stall of several seconds gives one tick, then the ticks are back
// in step. After a stall (a tick a second or more late) the next whole second
// counts only when it is at least half a second away, so that the late tick
// and the next never sound as one stutter.
double nextTickTime(double t, double secondStart, double due);

// Takes the local-time snapshot at frame time t from the clock source.
void takeSnapshot(double t);
