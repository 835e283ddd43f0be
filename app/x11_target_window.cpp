// Render-target windows on X11.
#include "app/target_window.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

bool monitorArea(GLFWmonitor* monitor, int* x, int* y, int* width, int* height)
{
    glfwGetMonitorWorkarea(monitor, x, y, width, height);
    return *width > 0 && *height > 0;
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
