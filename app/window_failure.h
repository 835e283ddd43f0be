// A run that draws in someone else's window (a preview host, a screensaver
// daemon's window) and cannot make its window or context: nobody there can
// answer a box, so the cause goes to standard error as one line, and the run
// ends with status 0, leaving the host as it was.
#pragma once

// While held, the windowing library's errors are kept instead of reported;
// the last one kept is the cause named when the window cannot be made.
void holdWindowingErrors(bool held);
// Keeps description when errors are held; false when they are not.
bool keepWindowingError(const char* description);

// Writes one line naming what is missing (the OpenGL version the display
// offers, read from a hidden window of its own, or else the windowing
// library's last error) and ends the process with status 0.
[[noreturn]] void endHostRunWithoutWindow(bool daemon);
