// What the render targets need of the window system beyond GLFW. One
// implementation per platform (x11_target_window.cpp, win32_target_window.cpp).
#pragma once

struct GLFWwindow;

// Fills window with black (a monitor's window that cannot draw the clock).
void paintWindowBlack(GLFWwindow* window);

// Tells the GL loader that another context has been made current.
void noteContextSwitch();

// Ends the process with status 0 as soon as the whole program loses the
// activation to another program (window is one of its full-screen windows;
// the activation moving between them is no loss). Where the window system
// has no such notion, nothing is done.
void endOnLostActivation(GLFWwindow* window);
