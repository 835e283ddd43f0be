// A full-screen window on Windows is asked whether the system may start the
// screensaver (SC_SCREENSAVE) or power the monitor down (SC_MONITORPOWER);
// the windowing library refuses both for full-screen windows, as a game
// would. A screensaver passes them on to the system instead, so the monitor
// sleeps when the power plan says. X11 asks no window.
#pragma once

struct GLFWwindow;

#if defined(_WIN32)
// Passes both requests of window on to the system; a window that is not
// full screen is left as it is.
void passBlankingRequestsOn(GLFWwindow* window);
#else
inline void passBlankingRequestsOn(GLFWwindow*) {}
#endif
