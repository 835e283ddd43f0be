#include "about/win32_about_window.h"

#include "about/about_facts.h"
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

constexpr int kSystemInformationIcon = 104;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE;

constexpr COLORREF toColorRef(about::Colour colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

constexpr COLORREF kBackground = toColorRef(about::kBackground);

HFONT makeFont(const about::Font& font)
{
    return CreateFontA(font.height, font.width, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH,
                       font.face);
}

// The texts are UTF-8; the narrow window functions take the system's code page.
std::string inCodePage(const char* utf8)
{
    const int wide = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (wide <= 0)
        return utf8;
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &text[0], wide);
    const int narrow = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (narrow <= 0)
        return utf8;
    std::string converted(static_cast<std::size_t>(narrow), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &converted[0], narrow, nullptr, nullptr);
    converted.resize(static_cast<std::size_t>(narrow) - 1);  // the terminator
    return converted;
}

HWND makeControl(const char* windowClass, const char* text, DWORD style, const about::Control& table, HFONT font,
                 HINSTANCE instance)
{
    const about::Place& place = table.place;
    HWND control = CreateWindowExA(0, windowClass, "", style, place.x, place.y, place.width, place.height,
                                   g_aboutWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(table.id)), instance,
                                   nullptr);
    SetWindowTextA(control, inCodePage(text).c_str());
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
        BitBlt(dc, about::kPictureX, about::kPictureY, picture.bmWidth, picture.bmHeight, memory, 0, 0, SRCCOPY);
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
        if (wParam == static_cast<WPARAM>(about::kLinkButton.id))
            ShellExecuteA(window, "open", about::kWebsiteAddress, nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, toColorRef(reinterpret_cast<HWND>(lParam) == g_titleLabel ? about::kTitleColour
                                                                                   : about::kNoticeColour));
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
    windowClass.lpszClassName = about::kClassName;
    if (!RegisterClassA(&windowClass))
        showMessageBox("Window Registration Failed!", "Error!", MessageIcon::Warning);

    // Sizes below are physical pixels.
    SetProcessDPIAware();
    HDC screen = GetDC(nullptr);
    const int x = static_cast<int>((GetDeviceCaps(screen, HORZRES) - about::kWindowWidth) * 0.5);
    const int y = static_cast<int>((GetDeviceCaps(screen, VERTRES) - about::kWindowHeight) * 0.5);

    g_aboutWindow = CreateWindowExA(0, about::kClassName, about::kCaption, WS_SYSMENU, x, y, about::kWindowWidth,
                                    about::kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (g_aboutWindow == nullptr) {
        // Without a window the message loop would wait for ever.
        showMessageBox("Window Creation Failed!", "Error!", MessageIcon::Warning);
        return;
    }
    g_aboutBitmap = static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(about::kPictureResource), IMAGE_BITMAP, 0, 0, LR_SHARED));

    HFONT textFont = makeFont(about::kTextFont);
    HFONT titleFont = makeFont(about::kTitleFont);
    g_noticeLabel = makeControl("static", about::kNoticeText, kLabelStyle, about::kNoticeLabel, textFont, instance);
    g_titleLabel = makeControl("static", about::kProductName, kLabelStyle, about::kTitleLabel, titleFont, instance);
    g_linkButton = makeControl("BUTTON", about::kButtonText, kButtonStyle, about::kLinkButton, textFont, instance);

    ShowWindow(g_aboutWindow, showCommand);
    UpdateWindow(g_aboutWindow);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
