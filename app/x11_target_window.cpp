// Render-target windows on X11.
#include "app/target_window.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

bool monitorArea(GLFWmonitor* monitor, int* x, int* y, int* width, int* height)
{
    const GLFWvidmode* mode = glfwGetVideoMode(monitor);
    if (mode == nullptr || mode->width <= 0 || mode->height <= 0)
        return false;
    glfwGetMonitorPos(monitor, x, y);
    *width = mode->width;
    *height = mode->height;
    return true;
}

void showOverMonitor(GLFWwindow* window, int x, int y, int width, int height)
{
    Display* display = glfwGetX11Display();
    const Window native = glfwGetX11Window(window);
    // Override-redirect: no window manager or compositor frames, moves or
    // re-places it; the keyboard stays with the primary monitor's window,
    // and a click here still reaches this one.
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(display, native, CWOverrideRedirect, &attributes);
    XMoveResizeWindow(display, native, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XMapRaised(display, native);
    XFlush(display);
}

void paintWindowBlack(GLFWwindow* window)
{
    Display* display = glfwGetX11Display();
    const Window native = glfwGetX11Window(window);
    if (display == nullptr || native == 0)
        return;
    // The server then keeps the window black itself, also after exposures.
    XSetWindowBackground(display, native, BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, native);
    XFlush(display);
}

// A window that takes the focus from ours during a full-screen run is the
// window manager's business on X11: the windows never iconify, and input
// still ends the run.
void endOnLostActivation(GLFWwindow*) {}
