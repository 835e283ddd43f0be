// Message boxes on Windows: the system's own, without an owner window.
#include "platform/message_box.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

void showMessageBox(const char* text, const char* caption, MessageIcon icon)
{
    if (text == nullptr)
        text = "";
    if (caption == nullptr)
        caption = "";
    // A GUI program has no console, but a test run that redirects standard
    // error reads the line there.
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (std::getenv("TARNWICK_NO_DIALOGS") != nullptr)
        return;
    const UINT style = MB_OK | (icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION);
    MessageBoxA(nullptr, text, caption, style);
}
