// Adoption on Windows. A host window of our own process is adopted as it is
// (glfwAdoptWin32Window takes over its procedure). A host of another process,
// such as the Control Panel's preview area, cannot be: its procedure cannot be
// replaced from outside, and its pixel format is not ours to set. We then draw
// in a child window of our own that fills the host's client area, as Windows
// screensavers do, and adopt that child.
#include "app/glfw_adopt.h"

#include "app/command_line.h"

#include <windows.h>
#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

#include <cstdint>
#include <map>

namespace {

constexpr const char* kChildClass = "TarnwickPreviewChild";

struct Adoption {
    HWND host;
    HWND child;  // our render window inside the host; null when the host itself was adopted
};

std::map<GLFWwindow*, Adoption>& adoptions()
{
    static std::map<GLFWwindow*, Adoption> table;
    return table;
}

HWND hostOf(const CommandLine& line)
{
    if (line.mode != Preview)
        return nullptr;
    // Window handles carry 32 significant bits, also on 64-bit Windows; a
    // handle passed through 32 bits is widened by sign extension, as Windows
    // does for handles shared between 32-bit and 64-bit programs.
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(line.hostWindow));
}

HostWindowState stateOf(HWND host)
{
    HostWindowState state;
    if (host == nullptr || !IsWindow(host))
        return state;
    state.exists = true;
    state.mapped = IsWindowEnabled(host) != FALSE;
    state.viewable = IsWindowVisible(host) != FALSE;
    state.inputOutput = true;
    RECT client{};
    if (GetClientRect(host, &client)) {
        state.width = client.right - client.left;
        state.height = client.bottom - client.top;
    }
    return state;
}

bool ownedByThisProcess(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

// Makes the calling thread take host's DPI awareness while it lives, where
// Windows has per-window awareness (10, version 1607, and later): a child
// whose awareness differs from its parent's cannot be created.
class HostDpiAwareness {
public:
    explicit HostDpiAwareness(HWND host)
    {
        HMODULE user32 = GetModuleHandleA("user32.dll");
        if (user32 == nullptr)
            return;
        const auto windowContext = reinterpret_cast<WindowContextFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
        m_setThreadContext = reinterpret_cast<ThreadContextFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
        if (windowContext == nullptr || m_setThreadContext == nullptr)
            return;
        if (HANDLE hostContext = windowContext(host))
            m_previous = m_setThreadContext(hostContext);
    }
    ~HostDpiAwareness()
    {
        if (m_previous != nullptr)
            m_setThreadContext(m_previous);
    }
    HostDpiAwareness(const HostDpiAwareness&) = delete;
    HostDpiAwareness& operator=(const HostDpiAwareness&) = delete;

private:
    using WindowContextFn = HANDLE(WINAPI*)(HWND);
    using ThreadContextFn = HANDLE(WINAPI*)(HANDLE);
    ThreadContextFn m_setThreadContext = nullptr;
    HANDLE m_previous = nullptr;
};

// A child window of host that fills its client area; GL draws in it.
HWND makeChild(HWND host)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(instance, kChildClass, &windowClass)) {
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kChildClass;
        if (!RegisterClassA(&windowClass))
            return nullptr;
    }
    const HostWindowState state = stateOf(host);
    const HostDpiAwareness awareness(host);
    return CreateWindowExA(0, kChildClass, "Tarnwick", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                           0, 0, state.width > 0 ? state.width : 1, state.height > 0 ? state.height : 1, host,
                           nullptr, instance, nullptr);
}

} // namespace

HostWindowState runHostState(const CommandLine& line) { return stateOf(hostOf(line)); }

GLFWwindow* adoptRunHost(const CommandLine& line)
{
    const HWND host = hostOf(line);
    if (host == nullptr || !IsWindow(host))
        return nullptr;
    if (ownedByThisProcess(host)) {
        GLFWwindow* window = glfwAdoptWin32Window(host, nullptr);
        if (window != nullptr)
            adoptions()[window] = {host, nullptr};
        return window;
    }
    const HWND child = makeChild(host);
    if (child == nullptr)
        return nullptr;
    GLFWwindow* window = glfwAdoptWin32Window(child, nullptr);
    if (window == nullptr) {
        DestroyWindow(child);
        return nullptr;
    }
    adoptions()[window] = {host, child};
    return window;
}

void guardHostQueries()
{
    // A gone window makes Win32 calls fail with an answer; nothing to install.
}

void glfwDestroyAdoptedWindow(GLFWwindow* window)
{
    if (window == nullptr)
        return;
    const auto found = adoptions().find(window);
    const HWND child = found != adoptions().end() ? found->second.child : nullptr;
    if (found != adoptions().end())
        adoptions().erase(found);
    // GLFW gives the adopted window its own procedure back; a child we made
    // ourselves then goes too.
    glfwDestroyWindow(window);
    if (child != nullptr && IsWindow(child))
        DestroyWindow(child);
}

HostWindowState adoptedHostState(GLFWwindow* window)
{
    const auto found = adoptions().find(window);
    return stateOf(found != adoptions().end() ? found->second.host : nullptr);
}

bool adoptedHostLost(GLFWwindow* window)
{
    // Win32 reports a host that went away as gone at the next look; a host
    // that is hidden and shown again stays the same window.
    const HostWindowState state = adoptedHostState(window);
    return !state.exists;
}

bool adoptedHostEnabled(GLFWwindow* window)
{
    const HostWindowState state = adoptedHostState(window);
    return state.exists && state.mapped;
}

void followHostSize(GLFWwindow* window, const HostWindowState& host)
{
    const auto found = adoptions().find(window);
    if (found == adoptions().end())
        return;
    int width = 0;
    int height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    // An adopted host reports its own size changes; our child follows the host.
    if (found->second.child == nullptr || !host.exists || host.width <= 0 || host.height <= 0)
        return;
    if (width != host.width || height != host.height)
        SetWindowPos(found->second.child, nullptr, 0, 0, host.width, host.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void followAdoptedHostSize(GLFWwindow* window) { followHostSize(window, adoptedHostState(window)); }
