#include "app/application.h"

#include "app/glfw_adopt.h"
#include "app/hosted_run.h"
#include "app/monitor_targets.h"
#include "app/render_targets.h"
#include "app/target_window.h"
#include "app/window_failure.h"
#include "app/window_icon.h"
#include "platform/message_box.h"
#include "platform/system_version.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

Application* g_application = nullptr;

bool hostedByDaemon() { return g_hostedRun != nullptr && g_hostedRun->active; }

bool drawsInHost(const CommandLine& line) { return line.mode == Preview || hostedByDaemon(); }

WindowSize chooseSizeFor(bool inHost, int versionNumber, WindowSize videoMode, WindowSize hostClient)
{
    if (inHost)
        return hostClient;
    if (versionNumber >= 60)
        return videoMode;
    return {800, 600};
}

void onError(int, const char* description)
{
    if (keepWindowingError(description))
        return;
    showMessageBox(description, "Error", MessageIcon::Information);
}

void onWindowSize(GLFWwindow* window, int width, int height)
{
    setWindowMetrics(width, height);
    followTargetSize(window, width, height);
}

bool inputEndsRun()
{
    // In a daemon's window the daemon decides when the screensaver ends, and
    // a run that left by itself would be taken for a crash. A preview is a
    // picture in the host's dialog: the user works with the dialog around
    // it, and the preview ends when its host goes.
    if (hostedByDaemon())
        return false;
    return g_commandLine == nullptr || g_commandLine->mode != Preview;
}

void onKey(GLFWwindow*, int, int, int, int)
{
    if (inputEndsRun())
        std::exit(0);
}

void onMouseButton(GLFWwindow*, int, int, int)
{
    if (inputEndsRun())
        std::exit(0);
}
void onCursorPos(GLFWwindow*, double, double) {}
void onScroll(GLFWwindow*, double, double) {}

Application::Application(CommandLine* line) : commandLine(line)
{
    initWindowing();
    chooseWindowSize();
    openWindow();
    setupGLState();
}

void Application::initWindowing()
{
    // A run in someone else's window names the cause in one line if its
    // window cannot be made, instead of a box per error.
    holdWindowingErrors(drawsInHost(*commandLine));
    glfwSetErrorCallback(onError);
    m_windowingStarted = glfwInit() == GLFW_TRUE;
    if (!m_windowingStarted && !drawsInHost(*commandLine))
        showMessageBox("Failed to initialize GLFW", "Debug", MessageIcon::Information);
    guardHostQueries();
    // A preview whose handle names no window was started for a host that is
    // already gone (or by mistake): nobody is there to read a box.
    if (m_windowingStarted && commandLine->mode == Preview && !runHostState(*commandLine).exists) {
        std::fprintf(stderr, "tarnwick: the preview window %ld does not exist; nothing to draw in\n",
                     static_cast<long>(commandLine->hostWindow));
        std::exit(0);
    }
}

int Application::windowsVersionNumber() const { return systemVersionNumber(); }

int Application::videoModeDimension(bool height) const
{
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    // Without a monitor or a mode (GLFW failed to start) there is no size to
    // take; 0 makes the window creation that follows fail cleanly.
    if (mode == nullptr)
        return 0;
    return height ? mode->height : mode->width;
}

void Application::chooseWindowSize()
{
    const bool inHost = drawsInHost(*commandLine);
    WindowSize host{0, 0};
    if (inHost) {
        const HostWindowState state = runHostState(*commandLine);
        host = {state.width, state.height};
    }
    WindowSize video{0, 0};
    if (!inHost)
        video = {videoModeDimension(false), videoModeDimension(true)};
    const WindowSize size = chooseSizeFor(inHost, windowsVersionNumber(), video, host);
    setWindowMetrics(size.width, size.height);
}

namespace {

void registerCallbacks(GLFWwindow* target, bool fullScreen)
{
    glfwSetWindowSizeCallback(target, onWindowSize);
    glfwSetKeyCallback(target, onKey);
    glfwSetMouseButtonCallback(target, onMouseButton);
    glfwSetCursorPosCallback(target, onCursorPos);
    glfwSetScrollCallback(target, onScroll);
    if (fullScreen)
        endOnLostActivation(target);
}

void setIcon(GLFWwindow* target)
{
    std::vector<unsigned char> rows(kIconBytes);
    iconColumnsToRows(windowIconColumns(), rows.data());
    const GLFWimage icon{kIconSize, kIconSize, rows.data()};
    glfwSetWindowIcon(target, 1, &icon);
}

// The fixed state of target's context, current now; paced: its swaps wait
// for the display.
void setupContextState(GLFWwindow* target, bool paced)
{
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthRange(0.0, 1.0);
    glEnable(GL_MULTISAMPLE);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POLYGON_SMOOTH);
    glfwSwapInterval(paced ? 1 : 0);
    glfwSetInputMode(target, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

// A further monitor's window of a full-screen run, as the render targets
// open it: the same input and icon as the primary window; its swaps do not
// wait for the display (the primary's do).
void prepareMonitorWindow(GLFWwindow* target, bool drawn)
{
    registerCallbacks(target, true);
    setIcon(target);
    if (drawn)
        setupContextState(target, false);
    else
        glfwSetInputMode(target, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

} // namespace

void Application::openWindow()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);
    // A full-screen window that minimised itself when another window took
    // the focus would leave the screensaver running unseen.
    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);

    if (drawsInHost(*commandLine)) {
        window = adoptRunHost(*commandLine);
    } else if (g_windowWidth > 0 && g_windowHeight > 0) {
        window = glfwCreateWindow(g_windowWidth, g_windowHeight, "Tarnwick", glfwGetPrimaryMonitor(), nullptr);
    }
    guardHostQueries();
    if (window == nullptr && drawsInHost(*commandLine))
        endHostRunWithoutWindow(hostedByDaemon());
    holdWindowingErrors(false);
    if (window == nullptr) {
        showMessageBox("Failed to open window", "Debug", MessageIcon::Information);
        glfwTerminate();
        std::exit(0);
    }

    const bool inHost = drawsInHost(*commandLine);
    if (inHost)
        addRenderTarget(window, g_windowWidth, g_windowHeight);
    registerCallbacks(window, !inHost);

    glfwMakeContextCurrent(window);
    setIcon(window);
    loadGLFunctions();

    // Daemons start a run per monitor themselves; a full-screen run covers
    // every monitor, and goes on covering them as they change.
    if (!inHost)
        coverMonitors(window, g_windowWidth, g_windowHeight, prepareMonitorWindow);
}

void Application::setupGLState()
{
    // The further monitors' contexts got their state as their windows were
    // opened; only the primary window's swap waits for the display, so a
    // frame is paced once.
    setupContextState(window, true);
}

void Application::setVSync(bool on) { glfwSwapInterval(on ? 1 : 0); }

void loadGLFunctions()
{
    // libepoxy resolves every entry point lazily for the current context on
    // its first call; asking for the version here makes it bind to this
    // context now, before any frame work.
    (void)epoxy_gl_version();
}
