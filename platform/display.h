// Whether the program has an X display to work with. Kept apart from the Xlib
// headers, whose macros (None, Bool, Status) clash with ordinary names.
#pragma once

// True when DISPLAY is set and the X server there answers.
bool xDisplayAvailable();
