// Reading the clock back from a 1920 × 1080 screenshot of a full-screen run.
#pragma once

#include "tests/support/e2e.h"

#include <functional>

// Where the hands point, in whole degrees clockwise from 12 o'clock; all -1
// when the picture is not 1920 × 1080.
struct ClockHands {
    int hour = -1;
    int minute = -1;
    int second = -1;
    int secondScore = 0;       // how many of the thin hand's pixels were found
    int fourOClockScore = 0;   // hand-coloured pixels along the 4 o'clock ray
    double hubX = 0, hubY = 0;  // the hands' hub on the screen
};
ClockHands readClockHands(const e2e::Image& shot);

// The distance between two clock angles in degrees, 0 to 180.
double angularDistance(double a, double b);

// Expects the hands at 10:10:30 plus at most secondsSinceStart (a run whose
// local time was faked to 10:10:30 at its start), the broad hands and the
// thin second hand each found along its own ray, and the inset frame lines
// drawn on the inner sides of the two lower thirds.
void expectClockAtTenTenThirty(const e2e::Image& shot, double secondsSinceStart);

// The brass frame lines of the two insets, on the inner sides of the lower
// thirds of frame, at any size.
void expectInsetFrameLines(const e2e::Image& frame);

// The clock's picture over the whole of frame, at any size: the perforated
// grey backdrop reaches all four edges, the brass clock stands in the middle.
void expectClockPicture(const e2e::Image& frame);

// Grabs the screen until the hands can be read (the thin hand found), for up
// to seconds; the last grab is left in *shot.
ClockHands waitForHands(const e2e::VirtualDisplay& display, e2e::Image* shot, double seconds);

// Expects the hands at the system zone's time of day now: the second hand
// behind by at most drawnWithin seconds (the age of the frame on the screen),
// never ahead.
void expectHandsAtTheTimeNow(const ClockHands& hands, double drawnWithin = 5.0);

// The whole picture, insets included, over the part of shot at (x, y) of
// width × height pixels (a monitor of a screen grab).
void expectWholePictureAt(const e2e::Image& shot, int x, int y, int width, int height);

// Whether check (a function of the expectations above) records no failure,
// without reporting any: for waiting until a picture is complete before
// checking it for real.
bool checkPasses(const std::function<void()>& check);
