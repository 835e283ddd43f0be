// Render-target windows on Windows.
#include "app/target_window.h"

#include <windows.h>
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include <cstdlib>
#include <map>

namespace {

// The procedures of the full-screen windows before ours was put in front.
std::map<HWND, WNDPROC>& previousProcedures()
{
    static std::map<HWND, WNDPROC> table;
    return table;
}

LRESULT CALLBACK watchActivation(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Sent to every top-level window of the program when the activation
    // goes to another program's window (not when it moves between ours):
    // the screensaver has been put behind something, so it ends, as the
    // system's own screensavers do, rather than run on unseen.
    if (message == WM_ACTIVATEAPP && wParam == FALSE)
        std::exit(0);
    const auto found = previousProcedures().find(window);
    if (found == previousProcedures().end())
        return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(found->second, window, message, wParam, lParam);
}

struct MonitorSearch {
    const char* adapter;  // the display adapter's device name (UTF-8)
    RECT area;
    bool found;
};

BOOL CALLBACK matchMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    auto* search = reinterpret_cast<MonitorSearch*>(data);
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info) && lstrcmpiA(info.szDevice, search->adapter) == 0) {
        search->area = info.rcMonitor;
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool monitorArea(GLFWmonitor* monitor, int* x, int* y, int* width, int* height)
{
    // The system's monitor whose device is the GLFW monitor's adapter (its
    // rectangle, not the video mode: Wine reports no mode for the further
    // monitors of a Xinerama layout).
    MonitorSearch search{glfwGetWin32Adapter(monitor), {}, false};
    if (search.adapter == nullptr)
        return false;
    EnumDisplayMonitors(nullptr, nullptr, matchMonitor, reinterpret_cast<LPARAM>(&search));
    *x = search.area.left;
    *y = search.area.top;
    *width = search.area.right - search.area.left;
    *height = search.area.bottom - search.area.top;
    return search.found && *width > 0 && *height > 0;
}

void showOverMonitor(GLFWwindow* window, int x, int y, int width, int height)
{
    SetWindowPos(glfwGetWin32Window(window), HWND_TOPMOST, x, y, width, height, SWP_SHOWWINDOW);
}

void paintWindowBlack(GLFWwindow* window)
{
    const HWND native = glfwGetWin32Window(window);
    if (native == nullptr)
        return;
    RECT client{};
    GetClientRect(native, &client);
    if (HDC dc = GetDC(native)) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(native, dc);
    }
    ValidateRect(native, nullptr);
}

void endOnLostActivation(GLFWwindow* window)
{
    const HWND native = glfwGetWin32Window(window);
    if (native == nullptr || previousProcedures().count(native) != 0)
        return;
    const LONG_PTR previous = GetWindowLongPtrW(native, GWLP_WNDPROC);
    previousProcedures()[native] = reinterpret_cast<WNDPROC>(previous);
    SetWindowLongPtrW(native, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watchActivation));
}
