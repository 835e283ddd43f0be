// Xlib queries on a window that another program owns (the preview host).
#pragma once

#include <X11/Xlib.h>

// Installs process-wide Xlib handlers: a protocol error (for example BadWindow
// from a host that has just vanished) is recorded instead of ending the
// process, and a lost connection to the X server ends the process at once with
// status 0 and one line on standard error. Safe to call again at any time;
// libraries that reset the handler are undone by the next call.
void installXErrorHandlers();

#include "platform/display.h"

#include "platform/host_window_state.h"

// Asks the server about window; a window that does not exist reads as
// exists == false, never as an error that ends the process.
HostWindowState queryHostWindow(Display* display, Window window);

// True when the host "is enabled" in the preview sense: it exists and is mapped.
bool hostWindowEnabled(Display* display, Window window);
