// Reading the clock back from a 1920 × 1080 screenshot of a full-screen run.
#pragma once

#include "tests/support/e2e.h"

// Expects the hands at 10:10:30 plus at most secondsSinceStart (a run whose
// local time was faked to 10:10:30 at its start), the broad hands and the
// thin second hand each found along its own ray, and the inset frame lines
// drawn on the inner sides of the two lower thirds.
void expectClockAtTenTenThirty(const e2e::Image& shot, double secondsSinceStart);

// The clock's picture over the whole of frame, at any size: the perforated
// grey backdrop reaches all four edges, the brass clock stands in the middle.
void expectClockPicture(const e2e::Image& frame);
