// Subclasses a full-screen window so that SC_SCREENSAVE and SC_MONITORPOWER
// reach the system's default handling instead of the windowing library's
// refusal; every other message goes on to the library's own procedure.
#include "app/blanking_requests.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

namespace {

const wchar_t* const kPreviousProcedure = L"TarnwickPreviousWndProc";

LRESULT CALLBACK passBlankingOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND) {
        const WPARAM command = wParam & 0xFFF0;
        if (command == SC_SCREENSAVE || command == SC_MONITORPOWER)
            return DefWindowProcW(window, message, wParam, lParam);
    }
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, kPreviousProcedure));
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace

void passBlankingRequestsOn(GLFWwindow* window)
{
    if (window == nullptr || glfwGetWindowMonitor(window) == nullptr)
        return;
    const HWND handle = glfwGetWin32Window(window);
    if (handle == nullptr || GetPropW(handle, kPreviousProcedure) != nullptr)
        return;
    const LONG_PTR previous = GetWindowLongPtrW(handle, GWLP_WNDPROC);
    SetPropW(handle, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(passBlankingOn));
}
