// Full-screen runs: a window over every monitor, following the monitors as
// they come, go and change. The render targets are the only ones to know the
// monitors; the application hands them its primary window and the way a new
// window is readied.
#pragma once

struct GLFWwindow;

// Readies a new monitor window: its input callbacks, its icon, and, when
// drawn, the fixed state of its context (current during the call).
using PrepareWindow = void (*)(GLFWwindow* window, bool drawn);

// primary, full screen on the primary monitor, is the first
// target, and every other monitor gets a frameless window of its own whose
// context shares primary's GL objects (prepared by prepare). From then on the
// targets follow the monitors (see followMonitors).
void coverMonitors(GLFWwindow* primary, int width, int height, PrepareWindow prepare);

// Once a frame: after the monitors changed (GLFW's monitor callback), and
// every half second in any case (a new mode or position reaches no
// callback), makes the targets match the monitors again. The primary window
// is full screen on the primary monitor at its current mode; every monitor
// but the one that window actually covers (a compositor puts full-screen
// windows where it likes) has one window over its whole area; windows of
// monitors that went are closed. Nothing for a run inside a host.
void followMonitors();
