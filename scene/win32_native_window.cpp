#include "scene/native_window.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3native.h>

void* nativeWindowHandle(GLFWwindow* window)
{
    static HWND handle = nullptr;
    handle = window != nullptr ? glfwGetWin32Window(window) : nullptr;
    return &handle;
}
