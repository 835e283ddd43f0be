// Render-target windows on X11.
#include "app/target_window.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

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

// GLX entry points do not depend on the current context.
void noteContextSwitch() {}

// A window that takes the focus from ours during a full-screen run is the
// window manager's business on X11: the windows never iconify, and input
// still ends the run.
void endOnLostActivation(GLFWwindow*) {}
