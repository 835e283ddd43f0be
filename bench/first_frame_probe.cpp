// Runs a program and watches the screen from outside: prints the time from
// the start of the process to its first drawn frame (the centre of the
// screen lit, the server's root being black) and, a moment later, the peak
// resident memory the process reached. Then ends the process.
//   first_frame_probe HOLD_SECONDS command [args...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The share of pixels in the centre square that are not black.
double litShare(Display* display, int size)
{
    const int screen = DefaultScreen(display);
    const int x = (DisplayWidth(display, screen) - size) / 2;
    const int y = (DisplayHeight(display, screen) - size) / 2;
    XImage* image = XGetImage(display, RootWindow(display, screen), x, y, size, size, AllPlanes, ZPixmap);
    if (image == nullptr)
        return 0.0;
    int lit = 0;
    for (int j = 0; j < size; ++j)
        for (int i = 0; i < size; ++i)
            if ((XGetPixel(image, i, j) & 0xe0e0e0) != 0)
                ++lit;
    XDestroyImage(image);
    return static_cast<double>(lit) / (size * size);
}

long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_frame_probe HOLD_SECONDS command [args...]\n");
        return 2;
    }
    const double hold = std::atof(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 1;
    if (litShare(display, 64) > 0.01) {
        std::fprintf(stderr, "first_frame_probe: the screen is not black before the start\n");
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    double firstFrameMs = -1.0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        if (litShare(display, 64) > 0.05) {
            firstFrameMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            break;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::printf("first_frame_ms %.3f\n", firstFrameMs);
    std::this_thread::sleep_for(std::chrono::duration<double>(hold));
    std::printf("peak_rss_kb %ld\n", peakResidentKb(pid));
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    return firstFrameMs < 0.0 ? 1 : 0;
}
