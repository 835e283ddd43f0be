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

// The line: where the run was to draw, and what is missing: the version the
// display offers when it is below 3.0, else the windowing library's error.
std::string failureLine(const char* where, int offeredMajor, int offeredMinor, const std::string& lastError)
{
    std::string line = std::string("tarnwick: cannot draw in ") + where + ": ";
    if (offeredMajor > 0 && offeredMajor < 3)
        return line + "the display offers OpenGL " + std::to_string(offeredMajor) + "." +
               std::to_string(offeredMinor) + ", and the clock needs OpenGL 3.0";
    if (!lastError.empty())
        return line + lastError;
    return line + "no window with an OpenGL 3.0 context could be made";
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
    const std::string line =
        failureLine(daemon ? "the screensaver's window" : "the preview window", major, minor, cause);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    glfwTerminate();
    std::exit(0);
}
