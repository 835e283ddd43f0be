// Drawing into a window that another program owns (the preview host).
//
// GLFW cannot adopt a foreign window, so on X11 we embed a child: an
// undecorated, hidden GLFW window is reparented into the host, sized to the
// host's client area and only then shown. The host itself is never created,
// shown, moved, resized or destroyed by us.
#pragma once

#include "platform/x11_host.h"

#include <X11/Xlib.h>

struct GLFWwindow;

// Makes a GLFW window with an OpenGL context (from the current hints) that
// lives inside host and shares objects with share (may be null). Null when
// GLFW is not initialised, when host is no live window of GLFW's screen, or
// when the window or its context cannot be made.
GLFWwindow* glfwAdoptX11Window(Window host, GLFWwindow* share);

// Destroys the record and our child window; the host stays as it was.
void glfwDestroyAdoptedWindow(GLFWwindow* window);

// The host a window was adopted into, or 0 for an ordinary window.
Window adoptedHostWindow(GLFWwindow* window);

// The host's state as the X server reports it now.
HostWindowState adoptedHostState(GLFWwindow* window);

// True once the host has been unmapped or destroyed since the adoption, even
// when it was mapped again before this look.
bool adoptedHostLost(GLFWwindow* window);

// Whether the host still exists and is mapped.
bool adoptedHostEnabled(GLFWwindow* window);

// Resizes our child to the host's client size (from host) when it differs;
// GLFW then reports the new size through the window-size callback.
void followHostSize(GLFWwindow* window, const HostWindowState& host);
// The same with a fresh look at the host.
void followAdoptedHostSize(GLFWwindow* window);
