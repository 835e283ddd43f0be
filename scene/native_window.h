// The native handle of a GLFW window, for the sound player's owner window.
#pragma once

struct GLFWwindow;

// Points to a copy of window's native handle (X11 Window, Win32 HWND) that
// stays valid for the rest of the process; the copy is 0 for a null window.
void* nativeWindowHandle(GLFWwindow* window);
