#include "about/x11_window.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <X11/Xproto.h>

namespace {

bool g_creationRefused = false;
XErrorHandler g_toolkitErrorHandler = nullptr;

int noteCreationErrors(Display* display, XErrorEvent* error)
{
    if (error->request_code == X_CreateWindow) {
        g_creationRefused = true;
        return 0;
    }
    return g_toolkitErrorHandler != nullptr ? g_toolkitErrorHandler(display, error) : 0;
}

// Motif window manager hints, the layout window managers read.
constexpr long kHintsFunctions = 1L << 0;
constexpr long kHintsDecorations = 1L << 1;
constexpr long kFunctionMove = 1L << 2;
constexpr long kFunctionClose = 1L << 5;
constexpr long kDecorBorder = 1L << 1;
constexpr long kDecorTitle = 1L << 3;
constexpr long kDecorMenu = 1L << 4;

} // namespace

bool showCloseOnlyWindow(Fl_Window& window)
{
    XSync(fl_display, False);
    g_creationRefused = false;
    g_toolkitErrorHandler = XSetErrorHandler(noteCreationErrors);
    window.show();
    // Still in the same batch of requests as the map, so the window manager
    // finds these hints when it frames the window.
    if (fl_xid(&window) != 0)
        allowOnlyClose(fl_display, fl_xid(&window));
    XSync(fl_display, False);
    XSetErrorHandler(g_toolkitErrorHandler);
    return !g_creationRefused && fl_xid(&window) != 0;
}

void allowOnlyClose(Display* display, Window window)
{
    const Atom hintsAtom = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    long hints[5] = {kHintsFunctions | kHintsDecorations, kFunctionMove | kFunctionClose,
                     kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    XChangeProperty(display, window, hintsAtom, hintsAtom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
}

Atom frameExtentsAtom(Display* display)
{
    return XInternAtom(display, "_NET_FRAME_EXTENTS", False);
}

bool readFrameExtents(Display* display, Window window, FrameExtents& extents)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, frameExtentsAtom(display), 0, 4, False, XA_CARDINAL,
                                          &type, &format, &count, &remaining, &data);
    bool ok = status == Success && type == XA_CARDINAL && format == 32 && count == 4 && data != nullptr;
    if (ok) {
        // 32-bit properties arrive as longs.
        const long* values = reinterpret_cast<const long*>(data);
        extents = {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                   static_cast<int>(values[3])};
        ok = extents.left >= 0 && extents.right >= 0 && extents.top >= 0 && extents.bottom >= 0;
    }
    if (data != nullptr)
        XFree(data);
    return ok;
}

void watchPropertyChanges(Display* display, Window window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes))
        XSelectInput(display, window, attributes.your_event_mask | PropertyChangeMask);
}
