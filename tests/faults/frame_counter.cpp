// Preloaded into the program under test: counts the frames it shows (its
// buffer swaps) and writes the count to the file named by
// TARNWICK_FRAME_COUNT_FILE after every frame, so that a test can tell how
// far a run has come.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

struct GLFWwindow;

extern "C" void glfwSwapBuffers(GLFWwindow* window)
{
    using Swap = void (*)(GLFWwindow*);
    static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glfwSwapBuffers"));
    static unsigned long frames = 0;
    static int fd = -2;
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
