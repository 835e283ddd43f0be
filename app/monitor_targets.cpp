#include "app/monitor_targets.h"

#include "app/render_targets.h"
#include "app/target_window.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdio>

namespace {

// How often the monitors' modes and positions are looked at when no
// callback said that they changed.
constexpr double kLookInterval = 0.5;

struct MonitorView {
    GLFWmonitor* monitor;
    DesktopArea area;
};

bool g_following = false;
bool g_monitorsChanged = false;
double g_nextLook = 0.0;
PrepareWindow g_prepare = nullptr;

void onMonitorChange(GLFWmonitor*, int) { g_monitorsChanged = true; }

// Errors while the windows follow the monitors cost a monitor its picture
// for a moment, not the run: they go to standard error, without a box.
void onMonitorWindowError(int, const char* description)
{
    std::fprintf(stderr, "tarnwick: a monitor's window: %s\n", description != nullptr ? description : "");
}

// The monitors with an area, the primary first. Monitors showing the same
// area (a mirrored pair) count once: one window covers them both.
std::vector<MonitorView> currentMonitors()
{
    std::vector<MonitorView> views;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    GLFWmonitor* primary = glfwGetPrimaryMonitor();
    for (int i = -1; i < count; ++i) {
        GLFWmonitor* monitor = i < 0 ? primary : monitors[i];
        if (monitor == nullptr || (i >= 0 && monitor == primary))
            continue;
        MonitorView view{monitor, {}};
        if (!monitorArea(monitor, &view.area.x, &view.area.y, &view.area.width, &view.area.height))
            continue;
        const bool mirrored = std::any_of(views.begin(), views.end(),
                                          [&](const MonitorView& seen) { return seen.area == view.area; });
        if (!mirrored)
            views.push_back(view);
    }
    return views;
}

// Which of monitors holds the middle of area; -1 for none.
int monitorHolding(const std::vector<MonitorView>& monitors, const DesktopArea& area)
{
    const int x = area.x + area.width / 2;
    const int y = area.y + area.height / 2;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const DesktopArea& m = monitors[i].area;
        if (x >= m.x && x < m.x + m.width && y >= m.y && y < m.y + m.height)
            return static_cast<int>(i);
    }
    return -1;
}

// A frameless window over area, with a context sharing share's objects (or
// none, for share null and the client-API hint at GLFW_NO_API). No video
// mode is changed: the window takes the monitor's area as it is.
GLFWwindow* openMonitorWindow(const DesktopArea& area, GLFWwindow* share)
{
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(area.width, area.height, "Tarnwick", nullptr, share);
    glfwWindowHint(GLFW_DECORATED, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_TRUE);
    if (window != nullptr)
        showOverMonitor(window, area.x, area.y, area.width, area.height);
    return window;
}

// A window of its own for a monitor that is not the primary window's.
void addMonitorWindow(const MonitorView& view)
{
    GLFWwindow* primary = renderTargets().front().window;
    // Sharing the primary window's context shares its programs, buffers and
    // textures: the scene is made once and drawn in every window.
    GLFWwindow* window = openMonitorWindow(view.area, primary);
    const bool drawn = window != nullptr;
    if (!drawn) {
        // No context: a window without one still covers the monitor.
        glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
        window = openMonitorWindow(view.area, nullptr);
        glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    }
    if (window == nullptr)
        return;
    if (drawn)
        glfwMakeContextCurrent(window);
    g_prepare(window, drawn);
    if (drawn)
        glfwMakeContextCurrent(primary);
    RenderTarget target;
    target.window = window;
    target.width = view.area.width;
    target.height = view.area.height;
    target.drawn = drawn;
    target.monitor = view.monitor;
    target.area = view.area;
    renderTargets().push_back(target);
}

// The primary window, full screen on view's monitor at its current mode (no
// mode is changed).
void putPrimaryOn(RenderTarget& target, const MonitorView& view)
{
    // The window takes the monitor's area; the size event that follows (at
    // once on Windows, inside the call) has the last word.
    target.monitor = view.monitor;
    target.area = view.area;
    target.width = view.area.width;
    target.height = view.area.height;
    const GLFWvidmode* mode = glfwGetVideoMode(view.monitor);
    const int width = mode != nullptr ? mode->width : view.area.width;
    const int height = mode != nullptr ? mode->height : view.area.height;
    const int refresh = mode != nullptr ? mode->refreshRate : GLFW_DONT_CARE;
    glfwSetWindowMonitor(target.window, view.monitor, view.area.x, view.area.y, width, height, refresh);
}

// Closes a monitor's window, leaving the keyboard with the primary window.
void closeMonitorWindow(GLFWwindow* window, GLFWwindow* primary)
{
    if (glfwGetWindowAttrib(window, GLFW_FOCUSED) == GLFW_TRUE)
        glfwFocusWindow(primary);
    glfwDestroyWindow(window);
    glfwMakeContextCurrent(primary);
}

void matchMonitors()
{
    std::vector<MonitorView> monitors = currentMonitors();
    // With no monitor at all (all of them off for a moment) the windows stay
    // as they are until one comes back.
    if (monitors.empty())
        return;
    std::vector<RenderTarget>& targets = renderTargets();
    RenderTarget& primary = targets.front();
    // GLFW makes a full-screen window an ordinary one when its monitor goes;
    // it goes back to full screen on the monitor that is primary now.
    if (glfwGetWindowMonitor(primary.window) != monitors.front().monitor || primary.area != monitors.front().area)
        putPrimaryOn(primary, monitors.front());

    // Where the primary window really is: a compositor puts a full-screen
    // window on the output it likes (sway: the focused one).
    DesktopArea shown;
    glfwGetWindowPos(primary.window, &shown.x, &shown.y);
    glfwGetWindowSize(primary.window, &shown.width, &shown.height);
    const int covered = std::max(0, monitorHolding(monitors, shown));
    monitors.erase(monitors.begin() + covered);

    // Every other monitor keeps its window, moved over its area when that
    // changed; windows of monitors that went are closed; new monitors get one.
    for (std::size_t i = targets.size(); i-- > 1;) {
        RenderTarget& target = targets[i];
        const auto kept = std::find_if(monitors.begin(), monitors.end(),
                                       [&](const MonitorView& view) { return view.monitor == target.monitor; });
        if (kept == monitors.end()) {
            closeMonitorWindow(target.window, targets.front().window);
            targets.erase(targets.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (target.area != kept->area) {
            showOverMonitor(target.window, kept->area.x, kept->area.y, kept->area.width, kept->area.height);
            target.area = kept->area;
            target.width = kept->area.width;
            target.height = kept->area.height;
        }
        monitors.erase(kept);
    }
    for (const MonitorView& view : monitors)
        addMonitorWindow(view);
}

} // namespace

void coverMonitors(GLFWwindow* primary, int width, int height, PrepareWindow prepare)
{
    g_prepare = prepare;
    g_following = true;
    RenderTarget target;
    target.window = primary;
    target.width = width;
    target.height = height;
    target.monitor = glfwGetWindowMonitor(primary);
    if (target.monitor != nullptr)
        monitorArea(target.monitor, &target.area.x, &target.area.y, &target.area.width, &target.area.height);
    renderTargets().push_back(target);
    glfwSetMonitorCallback(onMonitorChange);
    g_monitorsChanged = true;
    followMonitors();
}

void followMonitors()
{
    if (!g_following)
        return;
    const double now = glfwGetTime();
    if (!g_monitorsChanged && now < g_nextLook)
        return;
    g_monitorsChanged = false;
    g_nextLook = now + kLookInterval;
    const GLFWerrorfun previous = glfwSetErrorCallback(onMonitorWindowError);
    matchMonitors();
    glfwSetErrorCallback(previous);
}
