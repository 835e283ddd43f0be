#include "app/window_failure.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool g_held = false;
std::string g_lastError;

// The version of the context the display gives when no version is asked
// for (the most it offers without a profile), through a hidden window that
// is made and destroyed at once; false when none can be made.
bool offeredVersion(int* major, int* minor)
{
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    GLFWwindow* probe = glfwCreateWindow(1, 1, "Tarnwick", nullptr, nullptr);
    if (probe == nullptr)
        return false;
    *major = glfwGetWindowAttrib(probe, GLFW_CONTEXT_VERSION_MAJOR);
    *minor = glfwGetWindowAttrib(probe, GLFW_CONTEXT_VERSION_MINOR);
    glfwDestroyWindow(probe);
    return *major > 0;
}

// What is missing: the OpenGL version when the display offers less than
// 3.0, else the windowing library's error, else the window given (where).
std::string missing(const char* where, int offeredMajor, int offeredMinor, const std::string& lastError)
{
    if (offeredMajor > 0 && offeredMajor < 3)
        return "the display offers OpenGL " + std::to_string(offeredMajor) + "." + std::to_string(offeredMinor) +
               ", and the clock needs OpenGL 3.0";
    if (!lastError.empty())
        return lastError;
    return std::string(where) + " cannot be drawn in";
}

} // namespace

void holdWindowingErrors(bool held)
{
    g_held = held;
    if (held)
        g_lastError.clear();
}

bool keepWindowingError(const char* description)
{
    if (!g_held)
        return false;
    g_lastError = description != nullptr ? description : "";
    return true;
}

void endHostRunWithoutWindow(bool daemon)
{
    // The probe's own errors are held too; the cause is the one before it.
    const std::string cause = g_lastError;
    int major = 0;
    int minor = 0;
    if (!offeredVersion(&major, &minor))
        major = minor = 0;
    const std::string why = missing(daemon ? "the screensaver's window" : "the preview window", major, minor, cause);
    // The words of the box a run started by hand shows, and why.
    std::fprintf(stderr, "Debug: Failed to open window: %s\n", why.c_str());
    std::fflush(stderr);
    glfwTerminate();
    std::exit(0);
}
