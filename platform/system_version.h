// The system version in the "major × 10 + minor" form the window-size choice uses.
#pragma once

// Any Linux system this program builds for is a modern one: the result is at
// least 60, so the full-screen window takes the monitor's own video mode.
int systemVersionNumber();
