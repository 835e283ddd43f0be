// The render window and its OpenGL context.
#pragma once

#include "app/command_line.h"
#include "app/window_metrics.h"

#include <cstdint>

struct GLFWwindow;

class Application {
public:
    // Initialises GLFW, chooses the size, opens (or adopts) the window with its
    // context, loads the GL entry points and sets the fixed GL state. A window
    // that cannot be opened ends the process with status 0 after a message.
    explicit Application(CommandLine* commandLine);

    void initWindowing();
    void chooseWindowSize();
    void openWindow();
    void setupGLState();
    void setVSync(bool on);
    int windowsVersionNumber() const;
    int videoModeDimension(bool height) const;

    GLFWwindow* window = nullptr;  // the primary monitor's window, or the one in the host
    CommandLine* commandLine = nullptr;

private:
    bool m_windowingStarted = false;
};

// Whether the run draws inside a window it was given (a preview host, a
// screensaver daemon's window) rather than opening its own.
bool drawsInHost(const CommandLine& line);

// The size decision of chooseWindowSize, apart from the system queries: runs
// that draw in a host take its client size; full-screen runs take the video
// mode on systems numbered 60 and up, 800 × 600 below.
struct WindowSize {
    int width;
    int height;
};
WindowSize chooseSizeFor(bool inHost, int versionNumber, WindowSize videoMode, WindowSize hostClient);


// Loads the OpenGL entry points for the current context.
void loadGLFunctions();

extern Application* g_application;

// True for runs started by a screensaver daemon (see hosted_run.h).
bool hostedByDaemon();

// Whether a key or a mouse button ends the run: not in a preview, nor in a
// daemon's window.
bool inputEndsRun();

// GLFW callbacks.
void onError(int code, const char* description);
void onWindowSize(GLFWwindow* window, int width, int height);
void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onCursorPos(GLFWwindow* window, double x, double y);
void onScroll(GLFWwindow* window, double dx, double dy);
