#include "tests/support/e2e.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

double now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string tempPath(const char* stem)
{
    // The file made here is the one used (and removed by its owner), so no
    // empty placeholder is left behind in /tmp.
    std::string name = std::string("/tmp/tarnwick-e2e-XXXXXX-") + stem;
    const int fd = mkstemps(name.data(), static_cast<int>(std::strlen(stem)) + 1);
    if (fd >= 0)
        close(fd);
    return name;
}

// Builds envp from the current environment with overrides applied.
std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string>& env)
{
    std::map<std::string, std::string> merged;
    for (char** e = environ; *e != nullptr; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq != nullptr)
            merged[std::string(*e, static_cast<std::size_t>(eq - *e))] = eq + 1;
    }
    for (const auto& [key, value] : env) {
        if (value.empty())
            merged.erase(key);
        else
            merged[key] = value;
    }
    std::vector<std::string> list;
    for (const auto& [key, value] : merged)
        list.push_back(key + "=" + value);
    return list;
}

pid_t spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
            const std::string& outPath, const std::string& errPath)
{
    const std::vector<std::string> envList = mergedEnvironment(env);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : envList)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.empty() ? "/dev/null" : outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.empty() ? "/dev/null" : errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execvpe(args[0], args.data(), envp.data());
        _exit(127);
    }
    return pid;
}

} // namespace

std::string binaryPath()
{
    const char* path = std::getenv("TARNWICK_BINARY");
    return path != nullptr ? path : TARNWICK_BINARY_PATH;
}

std::string artefactPath(const std::string& name)
{
    const char* dir = std::getenv("TARNWICK_ARTEFACTS");
    std::string base = dir != nullptr ? dir : TARNWICK_ARTEFACT_DIR;
    mkdir(base.c_str(), 0755);
    return base + "/" + name;
}

namespace {

VirtualDisplay::Server xvfb(const std::vector<std::string>& screens, const std::vector<std::string>& serverArguments)
{
    std::vector<std::string> argv{"Xvfb"};
    for (std::size_t i = 0; i < screens.size(); ++i) {
        argv.push_back("-screen");
        argv.push_back(std::to_string(i));
        argv.push_back(screens[i]);
    }
    argv.insert(argv.end(), {"+extension", "GLX", "-nolisten", "tcp", "-noreset"});
    argv.insert(argv.end(), serverArguments.begin(), serverArguments.end());
    return {argv};
}

} // namespace

VirtualDisplay::VirtualDisplay(std::vector<std::string> screens, std::vector<std::string> serverArguments)
    : VirtualDisplay(xvfb(screens, serverArguments))
{
}

VirtualDisplay::VirtualDisplay(const Server& server)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    std::vector<std::string> argv = server.argv;
    argv.insert(argv.begin() + 1, {"-displayfd", std::to_string(pipeFds[1])});

    m_pid = fork();
    if (m_pid == 0) {
        setpgid(0, 0);
        // A test killed by its time limit takes its X server with it (the
        // dummy-driver Xorg runs as root and would outlive it otherwise).
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        close(pipeFds[0]);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string number;
    char c;
    const double deadline = now() + 20.0;
    fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    while (now() < deadline) {
        const ssize_t n = read(pipeFds[0], &c, 1);
        if (n == 1) {
            if (c == '\n')
                break;
            number += c;
        } else if (n == 0) {
            break;
        } else {
            pause(0.01);
        }
    }
    close(pipeFds[0]);
    if (number.empty())
        return;
    m_name = ":" + number;
    m_display = XOpenDisplay(m_name.c_str());
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_display != nullptr)
        XCloseDisplay(m_display);
    kill();
}

void VirtualDisplay::kill()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 200 && waitpid(m_pid, &status, WNOHANG) == 0; ++i)
            pause(0.01);
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, WNOHANG);
        m_pid = -1;
    }
}

Process::Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env)
    : m_outPath(tempPath("out")), m_errPath(tempPath("err"))
{
    m_pid = spawn(argv, env, m_outPath, m_errPath);
}

Process::~Process()
{
    if (running()) {
        ::kill(m_pid, SIGKILL);
        wait(5.0);
    }
    std::remove(m_outPath.c_str());
    std::remove(m_errPath.c_str());
}

bool Process::running()
{
    if (m_reaped || m_pid <= 0)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_reaped = true;
        m_status = status;
        return false;
    }
    return true;
}

bool Process::wait(double seconds, int* status)
{
    const double deadline = now() + seconds;
    while (running() && now() < deadline)
        pause(0.005);
    if (!m_reaped)
        return false;
    if (status != nullptr)
        *status = m_status;
    return true;
}

void Process::signal(int sig)
{
    if (running())
        ::kill(m_pid, sig);
}

std::string Process::out() const { return readFile(m_outPath); }
std::string Process::err() const { return readFile(m_errPath); }

std::map<std::string, std::string> quietEnv(const VirtualDisplay& display)
{
    return {{"DISPLAY", display.name()}, {"TARNWICK_NO_DIALOGS", "1"}, {"ALSOFT_DRIVERS", "null"}};
}

std::map<std::string, std::string> allowingPreloads(std::map<std::string, std::string> env)
{
    const char* options = std::getenv("ASAN_OPTIONS");
    const std::string inherited = options != nullptr && *options != '\0' ? std::string(options) + ":" : "";
    env["ASAN_OPTIONS"] = inherited + "verify_asan_link_order=0";
    return env;
}

int run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env, double seconds)
{
    Process process(argv, env);
    int status = 0;
    if (!process.wait(seconds, &status))
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool Image::savePng(const std::string& path) const
{
    const std::string ppm = path + ".ppm";
    {
        std::ofstream out(ppm, std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    }
    const int status = run({"convert", ppm, path});
    std::remove(ppm.c_str());
    return status == 0;
}

Image Image::crop(int x, int y, int w, int h) const
{
    Image part;
    x = std::max(0, x);
    y = std::max(0, y);
    part.width = std::max(0, std::min(w, width - x));
    part.height = std::max(0, std::min(h, height - y));
    part.rgb.resize(static_cast<std::size_t>(part.width) * part.height * 3);
    for (int row = 0; row < part.height; ++row)
        std::copy_n(at(x, y + row), static_cast<std::size_t>(part.width) * 3,
                    &part.rgb[static_cast<std::size_t>(row) * part.width * 3]);
    return part;
}

double litFraction(const Image& image, int threshold)
{
    if (image.empty())
        return 0.0;
    std::size_t lit = 0;
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3)
        lit += image.rgb[i] + image.rgb[i + 1] + image.rgb[i + 2] > threshold;
    return static_cast<double>(lit) / (static_cast<double>(image.width) * image.height);
}

Image waitForPicture(Display* display, Window window, double seconds)
{
    const double deadline = now() + seconds;
    Image image = grab(display, window);
    while (litFraction(image) <= 0.5 && now() < deadline) {
        pause(0.1);
        image = grab(display, window);
    }
    return image;
}

Image grab(Display* display, Window window)
{
    Image image;
    XWindowAttributes attributes{};
    if (!windowAttributes(display, window, &attributes))
        return image;
    XImage* x = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (x == nullptr)
        return image;
    image.width = x->width;
    image.height = x->height;
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int xx = 0; xx < image.width; ++xx) {
            const unsigned long p = XGetPixel(x, xx, y);
            std::uint8_t* out = &image.rgb[(static_cast<std::size_t>(y) * image.width + xx) * 3];
            out[0] = static_cast<std::uint8_t>((p >> 16) & 0xFF);
            out[1] = static_cast<std::uint8_t>((p >> 8) & 0xFF);
            out[2] = static_cast<std::uint8_t>(p & 0xFF);
        }
    }
    XDestroyImage(x);
    return image;
}

Image grabScreen(const VirtualDisplay& display)
{
    return grab(display.x(), DefaultRootWindow(display.x()));
}

namespace {

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

Window searchTree(Display* display, Window window, const std::string& name)
{
    char* windowName = nullptr;
    if (XFetchName(display, window, &windowName) && windowName != nullptr) {
        const bool match = name == windowName;
        XFree(windowName);
        if (match)
            return window;
    }
    for (Window child : children(display, window)) {
        const Window found = searchTree(display, child, name);
        if (found != 0)
            return found;
    }
    return 0;
}

} // namespace

Window findWindow(Display* display, const std::string& name, double seconds)
{
    XSetErrorHandler(ignoreErrors);
    const double deadline = now() + seconds;
    do {
        const Window found = searchTree(display, DefaultRootWindow(display), name);
        if (found != 0)
            return found;
        pause(0.05);
    } while (now() < deadline);
    return 0;
}

bool boxShownBeforeTheEnd(Display* display, Process& run, double seconds, int* status)
{
    const auto boxShown = [display] { return findWindow(display, "Error", 0.0) != 0 || findWindow(display, "Debug", 0.0) != 0; };
    bool shown = false;
    for (double waited = 0.0; waited < seconds && !run.wait(0.0, status); waited += 0.1) {
        shown = shown || boxShown();
        pause(0.1);
    }
    return shown || boxShown();
}

bool windowAttributes(Display* display, Window window, XWindowAttributes* out)
{
    XSetErrorHandler(ignoreErrors);
    XSync(display, False);
    return XGetWindowAttributes(display, window, out) != 0;
}

std::vector<Window> children(Display* display, Window window)
{
    XSetErrorHandler(ignoreErrors);
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &list, &count)) {
        result.assign(list, list + count);
        if (list != nullptr)
            XFree(list);
    }
    return result;
}

void pressKey(const VirtualDisplay& display, const std::string& key)
{
    run({"xdotool", "key", key}, {{"DISPLAY", display.name()}});
}

void click(const VirtualDisplay& display, int x, int y, int button)
{
    run({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", std::to_string(button)},
        {{"DISPLAY", display.name()}});
}

void movePointer(const VirtualDisplay& display, int x, int y)
{
    run({"xdotool", "mousemove", std::to_string(x), std::to_string(y)}, {{"DISPLAY", display.name()}});
}

std::string hexWindowId(unsigned long id)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

void pause(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

Image waitForCapturedFrame(const std::string& path, int width, int height, Process& run, double seconds)
{
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    const long whole = static_cast<long>(header.size()) + 3L * width * height;
    for (double waited = 0.0; waited < seconds && run.running(); waited += 0.1) {
        struct stat info{};
        if (stat(path.c_str(), &info) == 0 && info.st_size == whole)
            return readPpm(path);
        pause(0.1);
    }
    return {};
}

Image readPpm(const std::string& path)
{
    Image image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255 || image.width <= 0 || image.height <= 0)
        return {};
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return in ? image : Image{};
}

void requestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace e2e
