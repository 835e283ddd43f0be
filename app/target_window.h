// What the render targets need of the window system beyond GLFW. One
// implementation per platform (x11_target_window.cpp, win32_target_window.cpp).
#pragma once

struct GLFWmonitor;
struct GLFWwindow;

// Where monitor lies on the desktop; false when the window system cannot say.
bool monitorArea(GLFWmonitor* monitor, int* x, int* y, int* width, int* height);

// Shows window, made hidden and frameless, over the area (x, y, width,
// height) of a monitor, above every other window, where no window manager
// moves it.
void showOverMonitor(GLFWwindow* window, int x, int y, int width, int height);

// Fills window with black (a monitor's window that cannot draw the clock).
void paintWindowBlack(GLFWwindow* window);

// Ends the process with status 0 as soon as the whole program loses the
// activation to another program (window is one of its full-screen windows;
// the activation moving between them is no loss). Where the window system
// has no such notion, nothing is done.
void endOnLostActivation(GLFWwindow* window);
