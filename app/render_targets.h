// The windows a run draws its frame in, and the one place that knows the
// monitors. A full-screen run has one window per monitor, the primary one
// first; a run inside a host has the one window it draws there. The scene and
// the clock are one: each frame is drawn once per target, with the window
// metrics naming the target being drawn, and only the first target's buffer
// swap waits for the display.
#pragma once

#include <vector>

class FrameCapture;
struct GLFWmonitor;
struct GLFWwindow;

// A rectangle of the desktop, in screen coordinates.
struct DesktopArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
bool operator==(const DesktopArea& a, const DesktopArea& b);
inline bool operator!=(const DesktopArea& a, const DesktopArea& b) { return !(a == b); }

struct RenderTarget {
    GLFWwindow* window = nullptr;
    int width = 0;   // client size in pixels, followed through size events
    int height = 0;
    // False for a monitor whose window has no context of its own: it is kept
    // black so that the monitor shows no desktop.
    bool drawn = true;
    // Full-screen runs: the monitor the window covers, and that monitor's
    // area when the window was last put over it.
    GLFWmonitor* monitor = nullptr;
    DesktopArea area;
};

std::vector<RenderTarget>& renderTargets();
// A run inside a host: window is its one target, width × height pixels.
void addRenderTarget(GLFWwindow* window, int width, int height);

// The target of window, or null.
RenderTarget* targetOf(GLFWwindow* window);
// The size event of a target's window.
void followTargetSize(GLFWwindow* window, int width, int height);

// Renders the frame at frame time t into every target and swaps its
// buffers; black targets are painted black. A frame during which the
// process was stopped and continued is not shown. The first target's frame is
// handed to capture (when there is one) before its swap. The first target's
// context is current again afterwards.
void drawEveryTarget(double t, FrameCapture* capture);

// Whether any target's window reads the Escape key as down; whether any has
// been asked to close.
bool anyTargetHasEscapeDown();
bool anyTargetAsksToClose();
