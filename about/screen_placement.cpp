#include "about/screen_placement.h"

#include <X11/extensions/Xrandr.h>

namespace {

// The rectangle of one output's CRTC; false when the output is not lit.
bool outputRect(Display* display, XRRScreenResources* resources, RROutput output, ScreenRect& rect)
{
    XRROutputInfo* info = XRRGetOutputInfo(display, resources, output);
    if (info == nullptr)
        return false;
    bool found = false;
    if (info->crtc != None) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc);
        if (crtc != nullptr) {
            if (crtc->width > 0 && crtc->height > 0) {
                rect = {crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
                found = true;
            }
            XRRFreeCrtcInfo(crtc);
        }
    }
    XRRFreeOutputInfo(info);
    return found;
}

bool randrPrimaryRect(Display* display, ScreenRect& rect)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major < 1 || (major == 1 && minor < 3))
        return false;
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr)
        return false;
    const RROutput primary = XRRGetOutputPrimary(display, root);
    bool found = primary != None && outputRect(display, resources, primary, rect);
    for (int i = 0; !found && i < resources->noutput; ++i)
        found = outputRect(display, resources, resources->outputs[i], rect);
    XRRFreeScreenResources(resources);
    return found;
}

} // namespace

ScreenRect primaryScreenRect(Display* display)
{
    ScreenRect rect;
    if (randrPrimaryRect(display, rect))
        return rect;
    const int screen = DefaultScreen(display);
    return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

int centredOffset(int screenExtent, int windowExtent)
{
    return static_cast<int>((static_cast<double>(screenExtent) - windowExtent) * 0.5);
}
