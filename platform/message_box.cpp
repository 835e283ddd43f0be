#include "platform/message_box.h"

#include "platform/x11_host.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    if (text == nullptr)
        text = "";
    if (caption == nullptr)
        caption = "";
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);

    if (std::getenv("TARNWICK_NO_DIALOGS") != nullptr || !xDisplayAvailable())
        return;

    fl_close = "OK";  // one OK button, as a message box has
    fl_message_title(caption);
    if (icon == MessageIcon::Warning)
        fl_alert("%s", text);
    else
        fl_message("%s", text);
}
