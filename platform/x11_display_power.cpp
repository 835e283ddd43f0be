// The display's power on X11: the DPMS extension's power level, on the
// program's own connection. A server without the extension (XWayland, virtual
// servers) or with DPMS disabled reads as always on.
#include "platform/display_power.h"

#include "platform/x11_host.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace {

Display* g_display = nullptr;  // null: the server cannot tell

} // namespace

void watchDisplayPower()
{
    Display* display = sharedXConnection();
    int eventBase = 0;
    int errorBase = 0;
    if (display != nullptr && DPMSQueryExtension(display, &eventBase, &errorBase) && DPMSCapable(display))
        g_display = display;
}

bool displayPowered()
{
    if (g_display == nullptr)
        return true;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(g_display, &level, &enabled) || !enabled)
        return true;
    // Standby, suspend and off all leave the screen dark.
    return level == DPMSModeOn;
}
