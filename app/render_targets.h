// The windows a run draws its frame in. A full-screen run has one per
// monitor, the primary monitor's first; a run inside a host has the one
// window it draws there. The scene and the clock are one: each frame is
// drawn once per target, with the window metrics naming the target being
// drawn, and only the first target's buffer swap waits for the display.
#pragma once

#include <vector>

class FrameCapture;
struct GLFWwindow;

struct RenderTarget {
    GLFWwindow* window = nullptr;
    int width = 0;   // client size in pixels, followed through size events
    int height = 0;
    // False for a monitor whose window has no context of its own: it is kept
    // black so that the monitor shows no desktop.
    bool drawn = true;
};

std::vector<RenderTarget>& renderTargets();
void addRenderTarget(GLFWwindow* window, int width, int height, bool drawn);

// The target of window, or null.
RenderTarget* targetOf(GLFWwindow* window);

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
