#include "platform/message_box.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool displayAvailable()
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return false;
    Display* probe = XOpenDisplay(nullptr);
    if (probe == nullptr)
        return false;
    XCloseDisplay(probe);
    return true;
}

} // namespace

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    if (text == nullptr)
        text = "";
    if (caption == nullptr)
        caption = "";
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);

    if (std::getenv("TARNWICK_NO_DIALOGS") != nullptr || !displayAvailable())
        return;

    fl_message_title(caption);
    if (icon == MessageIcon::Warning)
        fl_alert("%s", text);
    else
        fl_message("%s", text);
}
