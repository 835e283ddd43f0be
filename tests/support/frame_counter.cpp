// Preloaded into the program under test: counts the frames it shows (its
// buffer swaps) and writes the count to the file named by
// TARNWICK_FRAME_COUNT_FILE after every frame, so that a test can tell how
// far a run has come. With TARNWICK_FRAME_PACE_HZ set to a rate, it also holds
// each frame until its turn comes, as a display's retrace would: the soak
// uses it to run the program at a real screen's rate on a driver that never
// waits. With TARNWICK_FRAME_DISPLAY_HZ set, the monitors report that refresh
// rate in their video mode: a display fast enough that the program's own
// pacing to it does not hold the frames back (tests that need many frames).
#include <dlfcn.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include <GLFW/glfw3.h>

namespace {

double paceInterval()
{
    const char* text = std::getenv("TARNWICK_FRAME_PACE_HZ");
    const double hz = text != nullptr ? std::atof(text) : 0.0;
    return hz > 0.0 ? 1.0 / hz : 0.0;
}

double monotonicSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Sleeps until the next frame's turn. A frame that came late moves the
// schedule on rather than letting later frames rush to catch up.
void waitForTurn(double interval)
{
    static double due = 0.0;
    const double now = monotonicSeconds();
    if (due == 0.0 || now > due + interval)
        due = now;
    if (due > now) {
        const double wait = due - now;
        timespec pause{static_cast<time_t>(wait), static_cast<long>((wait - static_cast<double>(static_cast<time_t>(wait))) * 1e9)};
        nanosleep(&pause, nullptr);
    }
    due += interval;
}

} // namespace

extern "C" const GLFWvidmode* glfwGetVideoMode(GLFWmonitor* monitor)
{
    using GetMode = const GLFWvidmode* (*)(GLFWmonitor*);
    static const GetMode real = reinterpret_cast<GetMode>(dlsym(RTLD_NEXT, "glfwGetVideoMode"));
    static const char* const hz = std::getenv("TARNWICK_FRAME_DISPLAY_HZ");
    static GLFWvidmode faster{};
    const GLFWvidmode* mode = real(monitor);
    if (mode == nullptr || hz == nullptr)
        return mode;
    faster = *mode;
    faster.refreshRate = std::atoi(hz);
    return &faster;
}

extern "C" void glfwSwapBuffers(GLFWwindow* window)
{
    using Swap = void (*)(GLFWwindow*);
    static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glfwSwapBuffers"));
    static const double interval = paceInterval();
    static unsigned long frames = 0;
    static int fd = -2;
    if (interval > 0.0)
        waitForTurn(interval);
    real(window);
    ++frames;
    if (fd == -2) {
        const char* path = std::getenv("TARNWICK_FRAME_COUNT_FILE");
        fd = path != nullptr ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    }
    if (fd >= 0) {
        char line[32];
        const int n = std::snprintf(line, sizeof line, "%lu\n", frames);
        if (n > 0 && pwrite(fd, line, static_cast<std::size_t>(n), 0) < 0)
            fd = -1;
    }
}
