#include "about/win32_about_window.h"

#include "platform/message_box.h"

#include <shellapi.h>

#include <string>

HWND g_aboutWindow = nullptr;
HBITMAP g_aboutBitmap = nullptr;
HWND g_noticeLabel = nullptr;
HWND g_titleLabel = nullptr;
HWND g_linkButton = nullptr;
HBRUSH g_aboutBrush = nullptr;

namespace {

constexpr const char* kCaption = "About";
constexpr const char* kClassName = "QuillmereWindowClass";
constexpr const char* kButtonText = "Visit website";
constexpr const char* kProductName = "Tarnwick";
// Windows-1252: 0xA9 is the copyright sign.
constexpr const char* kNoticeText = "\xA9 Quillmere. All rights reserved.\r\n"
                                    "Visit our website: https://quillmere.example\r\n"
                                    "Support: support@quillmere.example";
constexpr const char* kWebsite = "https://quillmere.example/?utm_source=About";

constexpr int kWindowWidth = 400;  // outer size, frame included
constexpr int kWindowHeight = 300;
constexpr int kPictureX = 142;
constexpr int kPictureY = 55;
constexpr int kPictureResource = 101;
constexpr int kSystemInformationIcon = 104;

constexpr int kNoticeLabelId = 10;
constexpr int kTitleLabelId = 30;
constexpr int kLinkButtonId = 10;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

constexpr COLORREF kBackground = RGB(177, 232, 179);
constexpr COLORREF kNoticeColour = RGB(0, 51, 255);
constexpr COLORREF kTitleColour = RGB(0, 0, 0);

HFONT makeFont(int height, int width, int weight, bool underline)
{
    return CreateFontA(height, width, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, "Arial");
}

HWND makeControl(const char* windowClass, const char* text, DWORD style, int x, int y, int width, int height,
                 int id, HFONT font, HINSTANCE instance)
{
    HWND control = CreateWindowExA(0, windowClass, "", style, x, y, width, height, g_aboutWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SetWindowTextA(control, text);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return control;
}

void paint(HWND window)
{
    PAINTSTRUCT paintState{};
    HDC dc = BeginPaint(window, &paintState);
    RECT client{};
    GetClientRect(window, &client);
    SetBkColor(dc, kBackground);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    if (g_aboutBitmap != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, g_aboutBitmap);
        BITMAP picture{};
        GetObjectA(g_aboutBitmap, sizeof(picture), &picture);
        BitBlt(dc, kPictureX, kPictureY, picture.bmWidth, picture.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    EndPaint(window, &paintState);
}

} // namespace

LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_aboutBrush == nullptr)
        g_aboutBrush = CreateSolidBrush(kBackground);
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (g_aboutBitmap != nullptr)
            DeleteObject(g_aboutBitmap);
        g_aboutBitmap = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_COMMAND:
        // Control id 10, notification 0: a click on the button.
        if (wParam == static_cast<WPARAM>(kLinkButtonId))
            ShellExecuteA(window, "open", kWebsite, nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, reinterpret_cast<HWND>(lParam) == g_titleLabel ? kTitleColour : kNoticeColour);
        SetBkColor(dc, kBackground);
        return reinterpret_cast<LRESULT>(g_aboutBrush);
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void runAboutWindow(HINSTANCE instance, int showCommand)
{
    HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA("user32.dll"), MAKEINTRESOURCEA(kSystemInformationIcon), IMAGE_ICON, 16, 16, LR_SHARED));

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = aboutWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        showMessageBox("Window Registration Failed!", "Error!", MessageIcon::Warning);

    // Sizes below are physical pixels.
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int x = static_cast<int>((GetDeviceCaps(screen, HORZRES) - kWindowWidth) * 0.5);
    const int y = static_cast<int>((GetDeviceCaps(screen, VERTRES) - kWindowHeight) * 0.5);

    g_aboutWindow = CreateWindowExA(0, kClassName, kCaption, WS_SYSMENU, x, y, kWindowWidth, kWindowHeight, nullptr,
                                    nullptr, instance, nullptr);
    if (g_aboutWindow == nullptr) {
        // Without a window the message loop would wait for ever.
        showMessageBox("Window Creation Failed!", "Error!", MessageIcon::Warning);
        return;
    }
    g_aboutBitmap = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(kPictureResource), IMAGE_BITMAP, 0, 0, LR_SHARED));

    HFONT textFont = makeFont(16, 6, FW_NORMAL, false);
    HFONT titleFont = makeFont(18, 8, FW_BOLD, true);
    g_noticeLabel = makeControl("static", kNoticeText, kLabelStyle, 20, 150, 380, 80, kNoticeLabelId, textFont, instance);
    g_titleLabel = makeControl("static", kProductName, kLabelStyle, 70, 20, 280, 20, kTitleLabelId, titleFont, instance);
    g_linkButton = makeControl("BUTTON", kButtonText, WS_CHILD | WS_VISIBLE, 150, 210, 100, 32, kLinkButtonId,
                               textFont, instance);

    ShowWindow(g_aboutWindow, showCommand);
    UpdateWindow(g_aboutWindow);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
