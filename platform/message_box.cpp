#include "platform/message_box.h"

#include "platform/message_dialog.h"

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
    // The line comes first and always: a GUI program on Windows has no
    // console, and a daemon's run shows no dialog, but whoever redirected
    // standard error reads it there.
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (!g_dialogsShown || std::getenv("TARNWICK_NO_DIALOGS") != nullptr)
        return;
    showMessageDialog(text, caption, icon);
}

void endForLackOfMemory()
{
    showMessageBox("Not enough memory to start the clock", "Debug", MessageIcon::Information);
    std::exit(0);
}
