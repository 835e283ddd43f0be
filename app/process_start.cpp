#include "app/process_start.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char* const kUsage =
    "Usage: tarnwick [/s | /p WINDOW | /c] [SETTINGS]\n"
    "       tarnwick -root | --window-id WINDOW [SETTINGS]\n"
    "A three-dimensional pendulum wall clock that shows the local time.\n"
    "\n"
    "Switches:\n"
    "  /s                 full screen until a key or a mouse button\n"
    "  /p WINDOW          draw inside the X window WINDOW (a decimal id)\n"
    "  /c                 show the About window\n"
    "  (none)             full screen, one such run at a time\n"
    "\n"
    "Hosted by a screensaver daemon (XSCREENSAVER_WINDOW names its window):\n"
    "  -root, --root      draw in the daemon's window, or on the root window\n"
    "  --window-id ID     draw in window ID (hexadecimal with 0x, or decimal)\n"
    "\n"
    "Settings, in every mode:\n"
    "  --no-tick          no tick sound; no sound device is opened\n"
    "  --max-fps N        at most N frames a second (0 to 1000; 0: as the display paces)\n"
    "\n"
    "  -h, --help         show this and end\n"
    "  --version          show the version and end\n"
    "\n"
    "xscreensaver and xsecurelock find the program in /usr/libexec/xscreensaver;\n"
    "MATE's and XFCE's screensavers through\n"
    "/usr/share/applications/screensavers/tarnwick.desktop.\n"
    "See tarnwick(6).\n";

bool isAny(const char* argument, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (std::strcmp(argument, name) == 0)
            return true;
    return false;
}

void ignoreSignal(int) {}

} // namespace

void soundStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor is fd itself, the lower ones being open.
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0) {
            dup2(opened, fd);
            close(opened);
        }
    }
    // A handler of our own rather than SIG_IGN: it does not pass on to the
    // programs we start (the web browser), which expect the default.
    struct sigaction action{};
    action.sa_handler = ignoreSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGPIPE, &action, nullptr);
}

bool answerInformationRequest(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* text = nullptr;
        if (isAny(argv[i], {"--help", "-help", "-h"}))
            text = kUsage;
        else if (isAny(argv[i], {"--version", "-version"}))
            text = "tarnwick " TARNWICK_VERSION "\n";
        if (text != nullptr) {
            std::fputs(text, stdout);
            std::fflush(stdout);
            return true;
        }
    }
    return false;
}
