#include "scene/native_window.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>

void* nativeWindowHandle(GLFWwindow* window)
{
    static Window handle = 0;
    handle = window != nullptr ? glfwGetX11Window(window) : 0;
    return &handle;
}
