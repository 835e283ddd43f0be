// X11 details of the About window that the toolkit leaves to us.
#pragma once

#include <FL/Fl_Window.H>
#include <X11/Xlib.h>

// Shows window with a title bar whose only button is close (see
// allowOnlyClose) and waits until the X server has answered: false when the
// server refused to create it.
bool showCloseOnlyWindow(Fl_Window& window);

// Asks the window manager for a title bar whose only button is close: the
// window can be moved and closed, not resized, minimised or maximised. The
// toolkit rewrites these hints whenever the size range changes.
void allowOnlyClose(Display* display, Window window);

// Sizes of the window manager's decorations around the client area.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// _NET_FRAME_EXTENTS of window; false when no window manager has set it.
bool readFrameExtents(Display* display, Window window, FrameExtents& extents);
Atom frameExtentsAtom(Display* display);

// Adds property changes to the events X sends us for window.
void watchPropertyChanges(Display* display, Window window);
