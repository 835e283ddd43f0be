#include "platform/message_box.h"

#include "platform/x11_host.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <cstdio>
#include <cstdlib>

namespace {

bool g_dialogsShown = true;

} // namespace

void showMessageDialogs(bool shown) { g_dialogsShown = shown; }

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    if (text == nullptr)
        text = "";
    if (caption == nullptr)
        caption = "";
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);

    if (!g_dialogsShown || std::getenv("TARNWICK_NO_DIALOGS") != nullptr || !xDisplayAvailable())
        return;

    // The toolkit installs its own lost-connection handler when it opens the
    // display, which would end the process with status 1 if the X server
    // went away while the box is up; ours ends it with status 0.
    fl_open_display();
    installXErrorHandlers();

    fl_close = "OK";  // one OK button, as a message box has
    fl_message_title(caption);
    if (icon == MessageIcon::Warning)
        fl_alert("%s", text);
    else
        fl_message("%s", text);
}
