// The run-mode names come before Xlib's macros (None) can hide them.
#include "app/application.h"
#include "app/hosted_run.h"

#include "app/x11_glfw_adopt.h"
#include "platform/x11_host.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

#include <cstdint>
#include <map>

namespace {

struct Adoption {
    Window host = 0;
    HostWatch watch;
};

// Adopted GLFW windows and their hosts.
std::map<GLFWwindow*, Adoption>& adoptions()
{
    static std::map<GLFWwindow*, Adoption> table;
    return table;
}

// The window a run draws into when it does not open its own: the preview
// host, or the daemon's window (the root window when it names none).
Window hostWindowOf(const CommandLine& line)
{
    if (hostedByDaemon()) {
        if (g_hostedRun->window != 0)
            return static_cast<Window>(g_hostedRun->window);
        Display* display = glfwGetX11Display();
        return display != nullptr ? DefaultRootWindow(display) : 0;
    }
    if (line.mode == Preview)
        return static_cast<Window>(static_cast<std::uint32_t>(line.hostWindow));
    return 0;
}

} // namespace

HostWindowState runHostState(const CommandLine& line)
{
    return queryHostWindow(glfwGetX11Display(), hostWindowOf(line));
}

GLFWwindow* adoptRunHost(const CommandLine& line)
{
    const Window host = hostWindowOf(line);
    return host != 0 ? glfwAdoptX11Window(host, nullptr) : nullptr;
}

void guardHostQueries() { installXErrorHandlers(); }

GLFWwindow* glfwAdoptX11Window(Window host, GLFWwindow* share)
{
    Display* display = glfwGetX11Display();  // reports GLFW_NOT_INITIALIZED itself
    if (display == nullptr)
        return nullptr;

    const HostWindowState state = queryHostWindow(display, host);
    // An InputOnly window cannot hold a drawn child: X refuses the reparenting.
    if (!state.exists || !state.inputOutput || state.screen != DefaultScreen(display))
        return nullptr;

    // The child must not be seen before it sits inside the host, must not take
    // the focus from the host's application, and has no frame of its own.
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    const int width = state.width > 0 ? state.width : 1;
    const int height = state.height > 0 ? state.height : 1;
    GLFWwindow* window = glfwCreateWindow(width, height, "Tarnwick", nullptr, share);
    glfwWindowHint(GLFW_VISIBLE, GLFW_TRUE);
    glfwWindowHint(GLFW_DECORATED, GLFW_TRUE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_TRUE);
    installXErrorHandlers();  // window creation resets Xlib's handler
    if (window == nullptr)
        return nullptr;

    const Window child = glfwGetX11Window(window);
    // Override-redirect keeps a window manager from framing or moving our
    // child, which matters when the host is the root window itself.
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display, child, CWOverrideRedirect, &attributes);
    resetXErrors();
    XReparentWindow(display, child, host, 0, 0);
    XSync(display, False);
    // The host may have vanished between the query and the reparenting, or
    // refused the child; either way our window is not inside it.
    if (lastXError() != 0 || !queryHostWindow(display, host).exists) {
        glfwDestroyWindow(window);
        installXErrorHandlers();
        return nullptr;
    }
    Adoption& adoption = adoptions()[window];
    adoption.host = host;
    adoption.watch.watch(host);
    // Mapped directly rather than through glfwShowWindow, which waits for the
    // window to become visible: inside a hidden host it never does.
    XMapWindow(display, child);
    XFlush(display);
    installXErrorHandlers();
    return window;
}

void glfwDestroyAdoptedWindow(GLFWwindow* window)
{
    if (window == nullptr)
        return;
    adoptions().erase(window);
    glfwDestroyWindow(window);
    installXErrorHandlers();
}

Window adoptedHostWindow(GLFWwindow* window)
{
    const auto found = adoptions().find(window);
    return found == adoptions().end() ? 0 : found->second.host;
}

HostWindowState adoptedHostState(GLFWwindow* window)
{
    return queryHostWindow(glfwGetX11Display(), adoptedHostWindow(window));
}

bool adoptedHostLost(GLFWwindow* window)
{
    const auto found = adoptions().find(window);
    return found == adoptions().end() || found->second.watch.unmappedOrGone();
}

bool adoptedHostEnabled(GLFWwindow* window)
{
    const HostWindowState state = adoptedHostState(window);
    return state.exists && state.mapped;
}

void followHostSize(GLFWwindow* window, const HostWindowState& host)
{
    if (!host.exists || host.width <= 0 || host.height <= 0)
        return;
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    if (width != host.width || height != host.height)
        glfwSetWindowSize(window, host.width, host.height);
}

void followAdoptedHostSize(GLFWwindow* window) { followHostSize(window, adoptedHostState(window)); }
