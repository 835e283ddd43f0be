// Drawing into a window that another program owns: the preview host, or on
// Linux a screensaver daemon's window. One implementation per platform
// (x11_glfw_adopt.cpp, win32_glfw_adopt.cpp).
//
// The host itself is never created, shown, moved, resized or destroyed by us.
#pragma once

#include "platform/host_window_state.h"

struct CommandLine;
struct GLFWwindow;

// The state of the window this run was given to draw in (its client size
// chooses the window size).
HostWindowState runHostState(const CommandLine& line);

// A GLFW window with an OpenGL context (from the current hints) that draws in
// the window this run was given; null when there is no such window or the
// window or its context cannot be made.
GLFWwindow* adoptRunHost(const CommandLine& line);

// Keeps queries about a host that has just gone from ending the process
// (Xlib's default error handler would); called again after the windowing
// library may have replaced the handlers.
void guardHostQueries();

// Destroys the record and anything we made inside the host; the host stays as
// it was.
void glfwDestroyAdoptedWindow(GLFWwindow* window);

// The host's state as the window system reports it now.
HostWindowState adoptedHostState(GLFWwindow* window);

// True once the host has been unmapped or destroyed since the adoption, even
// when it was shown again before this look.
bool adoptedHostLost(GLFWwindow* window);

// Whether the host still exists and is shown.
bool adoptedHostEnabled(GLFWwindow* window);

// Resizes what we draw in to the host's client size (from host) when it
// differs; GLFW then reports the new size through the window-size callback.
void followHostSize(GLFWwindow* window, const HostWindowState& host);
// The same with a fresh look at the host.
void followAdoptedHostSize(GLFWwindow* window);
