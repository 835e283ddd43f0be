// The About window of "/c" runs on Windows: the product name, a picture of the
// running screensaver, the maker's notice and a button that opens the maker's
// website. Plain USER32 and GDI, narrow strings.
#pragma once

#include <windows.h>

// Builds and shows the window (with showCommand) and runs its message loop;
// returns once the window has been closed, or at once when it could not be
// made (after saying so).
void runAboutWindow(HINSTANCE instance, int showCommand);

// The window procedure of the class "QuillmereWindowClass".
LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

extern HWND g_aboutWindow;
extern HBITMAP g_aboutBitmap;
extern HWND g_noticeLabel;
extern HWND g_titleLabel;
extern HWND g_linkButton;
extern HBRUSH g_aboutBrush;
