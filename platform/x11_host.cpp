#include "platform/x11_host.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

int g_lastXError = 0;

int recordXError(Display*, XErrorEvent* event)
{
    g_lastXError = event->error_code;
    return 0;
}

int endOnLostConnection(Display*)
{
    // The X server is gone: nothing can be drawn any more, and returning would
    // let Xlib exit with status 1. End quietly, as every other way out does.
    std::fputs("tarnwick: lost the connection to the X server\n", stderr);
    _exit(0);
}

} // namespace

void installXErrorHandlers()
{
    XSetErrorHandler(recordXError);
    XSetIOErrorHandler(endOnLostConnection);
}

Display* sharedXConnection()
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return nullptr;
    // The first connection that answers stays open for the life of the
    // process. Closing it could leave the server without clients, and a
    // server that resets when its last client leaves (a bare server, a
    // virtual one started without -noreset) would then drop the windowing
    // library's connection, opened a moment later, in the middle of its reset.
    static Display* connection = nullptr;
    if (connection == nullptr)
        connection = XOpenDisplay(nullptr);
    return connection;
}

int lastXError() { return g_lastXError; }
void resetXErrors() { g_lastXError = 0; }

bool xDisplayAvailable() { return sharedXConnection() != nullptr; }

HostWindowState queryHostWindow(Display* display, Window window)
{
    HostWindowState state;
    if (display == nullptr || window == 0)
        return state;
    installXErrorHandlers();
    g_lastXError = 0;
    XWindowAttributes attributes{};
    const Status ok = XGetWindowAttributes(display, window, &attributes);
    if (!ok || g_lastXError != 0)
        return state;
    state.exists = true;
    state.mapped = attributes.map_state != IsUnmapped;
    state.viewable = attributes.map_state == IsViewable;
    state.inputOutput = attributes.c_class == InputOutput;
    state.width = attributes.width;
    state.height = attributes.height;
    state.screen = XScreenNumberOfScreen(attributes.screen);
    return state;
}

bool hostWindowEnabled(Display* display, Window window)
{
    const HostWindowState state = queryHostWindow(display, window);
    return state.exists && state.mapped;
}

bool HostWatch::watch(Window window)
{
    Display* display = sharedXConnection();
    if (display == nullptr)
        return false;
    installXErrorHandlers();
    m_window = window;
    m_lost = false;
    // Structure events of the host only: other clients may select them too.
    XSelectInput(display, window, StructureNotifyMask);
    XSync(display, False);
    return true;
}

bool HostWatch::unmappedOrGone()
{
    Display* display = sharedXConnection();
    if (display == nullptr || m_window == 0)
        return m_lost;
    XEvent event;
    while (XCheckWindowEvent(display, m_window, StructureNotifyMask, &event)) {
        if (event.type == UnmapNotify || event.type == DestroyNotify)
            m_lost = true;
    }
    return m_lost;
}
