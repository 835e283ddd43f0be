// Xlib queries on a window that another program owns (the preview host).
#pragma once

#include <X11/Xlib.h>

// Installs process-wide Xlib handlers: a protocol error (for example BadWindow
// from a host that has just vanished) is recorded instead of ending the
// process, and a lost connection to the X server ends the process at once with
// status 0 and one line on standard error. Safe to call again at any time;
// libraries that reset the handler are undone by the next call.
void installXErrorHandlers();

// The code of the last protocol error the handlers recorded (0: none since
// the last reset).
int lastXError();
void resetXErrors();

#include "platform/display.h"

#include "platform/host_window_state.h"

// Asks the server about window; a window that does not exist reads as
// exists == false, never as an error that ends the process.
HostWindowState queryHostWindow(Display* display, Window window);

// True when the host "is enabled" in the preview sense: it exists and is mapped.
bool hostWindowEnabled(Display* display, Window window);

// The program's own X connection, opened on first use (by xDisplayAvailable
// or here) and kept for the life of the process; null without a display.
Display* sharedXConnection();

// Watches a host window through the program's own connection, so that its
// unmapping or destruction is seen even when it is undone before the next
// look (an unmap and a map between two frames). The windowing library's
// connection would drop these events: the host is no window of its own.
class HostWatch {
public:
    // Starts watching window; false when there is no connection.
    bool watch(Window window);
    // True once the window has been unmapped or destroyed since watch().
    bool unmappedOrGone();

private:
    Window m_window = 0;
    bool m_lost = false;
};
