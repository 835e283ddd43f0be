// Adoption on X11: GLFW cannot adopt a foreign window, so we embed a child. An
// undecorated, hidden GLFW window is reparented into the host, sized to the
// host's client area and only then shown.
#pragma once

#include "app/glfw_adopt.h"
#include "platform/x11_host.h"

#include <X11/Xlib.h>

// Makes a GLFW window with an OpenGL context (from the current hints) that
// lives inside host and shares objects with share (may be null). Null when
// GLFW is not initialised, when host is no live window of GLFW's screen, or
// when the window or its context cannot be made.
GLFWwindow* glfwAdoptX11Window(Window host, GLFWwindow* share);

// The host a window was adopted into, or 0 for an ordinary window.
Window adoptedHostWindow(GLFWwindow* window);
