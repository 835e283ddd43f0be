#include "frame_count.h"

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <utility>

namespace e2e {

std::map<std::string, std::string> withFrameCounter(std::map<std::string, std::string> env,
                                                    const std::string& countFile)
{
    env["LD_PRELOAD"] = TARNWICK_FRAME_COUNTER_PATH;
    env["TARNWICK_FRAME_COUNT_FILE"] = countFile;
    return allowingPreloads(std::move(env));
}

std::string newFrameCountFile()
{
    static int serial = 0;
    std::ostringstream path;
    path << "/tmp/tarnwick-frames-" << getpid() << "-" << serial++;
    std::remove(path.str().c_str());
    return path.str();
}

unsigned long framesShown(const std::string& countFile)
{
    std::ifstream in(countFile);
    unsigned long frames = 0;
    in >> frames;
    return frames;
}

unsigned long waitForFrames(const std::string& countFile, unsigned long frames, Process& run, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    unsigned long shown = framesShown(countFile);
    while (shown < frames && std::chrono::steady_clock::now() < deadline && run.running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        shown = framesShown(countFile);
    }
    return shown;
}

bool endsWithinFrames(const std::string& countFile, unsigned long since, unsigned long frames, Process& run,
                      int* status, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (framesShown(countFile) <= since + frames && std::chrono::steady_clock::now() < deadline) {
        if (run.wait(0.02, status))
            // The count file is written after each frame, so once the run
            // has ended it holds every frame the run showed.
            return framesShown(countFile) <= since + frames;
    }
    return false;
}

bool reachesSizeWithinFrames(Display* display, Window window, int width, int height, const std::string& countFile,
                             unsigned long since, unsigned long frames, Process& run, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    const auto hasSize = [&] {
        XWindowAttributes a{};
        return windowAttributes(display, window, &a) && a.width == width && a.height == height;
    };
    // A frame past the allowance, or the run's end, settles it: the size
    // the window has by then is the answer.
    while (framesShown(countFile) <= since + frames && run.running() &&
           std::chrono::steady_clock::now() < deadline) {
        if (hasSize())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return hasSize();
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

long heapResidentKiB(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/smaps");
    std::string line;
    bool inHeap = false;
    while (std::getline(maps, line)) {
        if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') != std::string::npos &&
            line.find(':') > line.find(' '))
            inHeap = line.size() >= 6 && line.compare(line.size() - 6, 6, "[heap]") == 0;
        else if (inHeap && line.compare(0, 4, "Rss:") == 0)
            return std::stol(line.substr(4));
    }
    return 0;
}

double cpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t afterName = text.rfind(')');
    if (afterName == std::string::npos)
        return 0.0;
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    unsigned long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoul(field);
        if (i == 15)
            system = std::stoul(field);
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace e2e
