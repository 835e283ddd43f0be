#include "app/frame_pace.h"

#include <GLFW/glfw3.h>

#include <cmath>

namespace {

constexpr int kAssumedRefreshHz = 60;
// Waits shorter than this are not worth the timer: the event wait counts in
// milliseconds.
constexpr double kShortestWait = 0.001;

} // namespace

double framePeriodSeconds(int refreshHz, int maxFps)
{
    const int hz = refreshHz > 0 ? refreshHz : kAssumedRefreshHz;
    const double display = 1.0 / (hz + 1.0);
    const double limit = maxFps > 0 ? 1.0 / maxFps : 0.0;
    return limit > display ? limit : display;
}

double FramePace::period()
{
    const auto now = std::chrono::steady_clock::now();
    if (m_period == 0.0 || now - m_readAt >= std::chrono::seconds(1)) {
        GLFWmonitor* monitor = glfwGetPrimaryMonitor();
        const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
        m_period = framePeriodSeconds(mode != nullptr ? mode->refreshRate : 0, m_maxFps);
        m_readAt = now;
    }
    return m_period;
}

void FramePace::waitOutFrame(std::chrono::steady_clock::time_point frameStart)
{
    const auto due = frameStart + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(period()));
    double left = std::chrono::duration<double>(due - std::chrono::steady_clock::now()).count();
    if (left < kShortestWait) {
        glfwPollEvents();
        return;
    }
    // Each event wakes the wait; it goes on until the frame's time is up. A
    // clock that stands still across a wait (a frozen test clock) would keep
    // it going for ever: the frame then counts as waited out.
    while (left >= kShortestWait) {
        const auto before = std::chrono::steady_clock::now();
        glfwWaitEventsTimeout(std::ceil(left * 1000.0) / 1000.0);
        const auto after = std::chrono::steady_clock::now();
        if (after == before)
            return;
        left = std::chrono::duration<double>(due - after).count();
    }
}
