// Message dialogs on Windows: the system's own, without an owner window.
#include "platform/message_dialog.h"

#include <windows.h>

#include <string>

namespace {

// The texts are UTF-8 (the windowing library's error descriptions are);
// the wide message box shows them as they are, whatever the ANSI code page.
std::wstring widened(const char* text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

} // namespace

void showMessageDialog(const char* text, const char* caption, MessageIcon icon)
{
    const UINT style = MB_OK | (icon == MessageIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION);
    MessageBoxW(nullptr, widened(text).c_str(), widened(caption).c_str(), style);
}
