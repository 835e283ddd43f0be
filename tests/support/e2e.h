// Helpers for end-to-end tests: the real binary, a private virtual X server,
// processes with time limits, screenshots and input, as a person would use it.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// The program under test (build/tarnwick) and the artefact folder of the build.
std::string binaryPath();
std::string artefactPath(const std::string& name);

// A private Xvfb with GLX, started in the constructor and stopped in the
// destructor. screens are geometries such as "1920x1080x24", one per screen;
// serverArguments are added to the server's command line ("-extension",
// "RANDR" for a server without RandR).
class VirtualDisplay {
public:
    explicit VirtualDisplay(std::vector<std::string> screens = {"1920x1080x24"},
                            std::vector<std::string> serverArguments = {});
    // Another X server that tells its display number through -displayfd:
    // serverArgv is its whole command line but that option.
    struct Server {
        std::vector<std::string> argv;
    };
    explicit VirtualDisplay(const Server& server);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return m_display != nullptr; }
    const std::string& name() const { return m_name; }  // ":N"
    Display* x() const { return m_display; }             // our own connection
    pid_t serverPid() const { return m_pid; }
    // Kills the server (for tests of a vanished X server).
    void kill();

private:
    std::string m_name;
    pid_t m_pid = -1;
    Display* m_display = nullptr;
};

// A child process with its standard output and error captured to files.
class Process {
public:
    // env entries are added to (or replace in) this process's environment;
    // an empty value removes the variable.
    Process(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {});
    ~Process();  // kills the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return m_pid; }
    bool running();
    // Waits up to seconds; true when it ended. *status receives the raw wait
    // status (use WIFEXITED/WEXITSTATUS/WIFSIGNALED).
    bool wait(double seconds, int* status = nullptr);
    void signal(int sig);
    std::string out() const;
    std::string err() const;

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_status = 0;
    std::string m_outPath;
    std::string m_errPath;
};

// The usual environment for runs of the program: the display, no dialogs and
// no sound device waits.
std::map<std::string, std::string> quietEnv(const VirtualDisplay& display);
// env, letting a library preloaded into the program (a frame counter, a
// faked clock) come before the sanitizer runtime in a sanitizer build, which
// would otherwise refuse to start.
std::map<std::string, std::string> allowingPreloads(std::map<std::string, std::string> env);

// Runs a command to its end (at most seconds) and gives its exit status, or -1.
int run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {},
        double seconds = 20.0);

// 24-bit RGB picture.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    bool empty() const { return width == 0 || height == 0; }
    // The part of the picture at (x, y) of size w × h (cut to the picture).
    Image crop(int x, int y, int w, int h) const;
    const std::uint8_t* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
    // Writes a PNG (through ImageMagick's convert); true on success.
    bool savePng(const std::string& path) const;
};

// The share of pixels whose red + green + blue exceeds threshold: how much of
// a picture is drawn rather than left black.
double litFraction(const Image& image, int threshold = 60);

// Grabs window until at least half of it is drawn (the program's first frames
// come after its start-up) or seconds have passed; gives the last grab.
Image waitForPicture(Display* display, Window window, double seconds = 20.0);

// A binary PPM file (P6, 8 bits); empty when the file is no such picture.
Image readPpm(const std::string& path);

// Waits up to seconds for the frame a run captures at width × height
// (TARNWICK_FRAME_CAPTURE) to be written whole; gives it, or an empty image.
Image waitForCapturedFrame(const std::string& path, int width, int height, Process& run, double seconds);

// Asks window to close, as a window manager's close button (or Alt+F4) does.
void requestClose(Display* display, Window window);

// Reads the pixels of window (the root window for the whole screen).
Image grab(Display* display, Window window);
Image grabScreen(const VirtualDisplay& display);

// The first window whose WM_NAME is name, waited for up to seconds; 0 if none.
Window findWindow(Display* display, const std::string& name, double seconds);
// Waits up to seconds for run to end, looking all the while for a message
// box (a window named "Error" or "Debug"); true when one showed. *status
// receives the wait status when the run ended.
bool boxShownBeforeTheEnd(Display* display, Process& run, double seconds, int* status);
// The window attributes, false when the window is gone.
bool windowAttributes(Display* display, Window window, XWindowAttributes* out);
// Children of window (bottom to top).
std::vector<Window> children(Display* display, Window window);

// Input through xdotool: a key press+release, a click, a pointer move, a wheel turn.
void pressKey(const VirtualDisplay& display, const std::string& key);
void click(const VirtualDisplay& display, int x, int y, int button = 1);
void movePointer(const VirtualDisplay& display, int x, int y);

// A window id as daemons write it: "0x" and hexadecimal digits.
std::string hexWindowId(unsigned long id);

// Sleeps.
void pause(double seconds);

} // namespace e2e
