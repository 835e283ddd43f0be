#include "app/application.h"

#include "app/glfw_adopt.h"
#include "app/hosted_run.h"
#include "app/window_icon.h"
#include "platform/message_box.h"
#include "platform/system_version.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <vector>

std::int32_t g_windowWidth = 0;
std::int32_t g_windowHeight = 0;
float g_aspectRatio = 0.0f;
Application* g_application = nullptr;

void setWindowMetrics(int width, int height)
{
    g_windowWidth = width;
    g_windowHeight = height;
    g_aspectRatio = static_cast<float>(width) / static_cast<float>(height);
}

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
    showMessageBox(description, "Error", MessageIcon::Information);
}

void onWindowSize(GLFWwindow*, int width, int height) { setWindowMetrics(width, height); }
// Input ends the run, except in a daemon's window: there the daemon decides
// when the screensaver ends, and a run that left by itself would be taken for
// a crash.
void onKey(GLFWwindow*, int, int, int, int)
{
    if (!hostedByDaemon())
        std::exit(0);
}

void onMouseButton(GLFWwindow*, int, int, int)
{
    if (!hostedByDaemon())
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
    glfwSetErrorCallback(onError);
    if (!glfwInit())
        showMessageBox("Failed to initialize GLFW", "Debug", MessageIcon::Information);
    guardHostQueries();
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

void Application::openWindow()
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 4);
    glfwWindowHint(GLFW_STEREO, GLFW_FALSE);

    if (drawsInHost(*commandLine)) {
        window = adoptRunHost(*commandLine);
    } else if (g_windowWidth > 0 && g_windowHeight > 0) {
        window = glfwCreateWindow(g_windowWidth, g_windowHeight, "Tarnwick", glfwGetPrimaryMonitor(), nullptr);
    }
    guardHostQueries();
    if (window == nullptr) {
        showMessageBox("Failed to open window", "Debug", MessageIcon::Information);
        glfwTerminate();
        std::exit(0);
    }

    glfwSetWindowSizeCallback(window, onWindowSize);
    glfwSetKeyCallback(window, onKey);
    glfwSetMouseButtonCallback(window, onMouseButton);
    glfwSetCursorPosCallback(window, onCursorPos);
    glfwSetScrollCallback(window, onScroll);

    glfwMakeContextCurrent(window);

    std::vector<unsigned char> rows(kIconBytes);
    iconColumnsToRows(windowIconColumns(), rows.data());
    const GLFWimage icon{kIconSize, kIconSize, rows.data()};
    glfwSetWindowIcon(window, 1, &icon);

    loadGLFunctions();
}

void Application::setupGLState()
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
    setVSync(true);
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void Application::setVSync(bool on) { glfwSwapInterval(on ? 1 : 0); }

void loadGLFunctions()
{
    // libepoxy resolves every entry point lazily for the current context on
    // its first call; asking for the version here makes it bind to this
    // context now, before any frame work.
    (void)epoxy_gl_version();
}
