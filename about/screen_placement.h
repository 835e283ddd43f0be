// Where the About window goes: centred on the primary monitor.
#pragma once

#include <X11/Xlib.h>

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The primary monitor's rectangle in root-window coordinates: the RandR
// primary output, else the first lit output, else the whole X screen.
ScreenRect primaryScreenRect(Display* display);

// (screenExtent − windowExtent) × 0.5 in double precision, truncated toward
// zero: 1920 and 400 give 760, 1365 and 400 give 482.
int centredOffset(int screenExtent, int windowExtent);
