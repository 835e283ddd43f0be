#include "app/hosted_run.h"

#include <csignal>
#include <cstring>
#include <initializer_list>

HostedRun* g_hostedRun = nullptr;

unsigned long parseWindowId(const char* text)
{
    if (text == nullptr)
        return 0;
    int base = 10;
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text += 2;
    }
    if (*text == '\0')
        return 0;
    unsigned long long value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        int digit = -1;
        if (*p >= '0' && *p <= '9')
            digit = *p - '0';
        else if (base == 16 && *p >= 'a' && *p <= 'f')
            digit = *p - 'a' + 10;
        else if (base == 16 && *p >= 'A' && *p <= 'F')
            digit = *p - 'A' + 10;
        if (digit < 0)
            return 0;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull)
            return 0;
    }
    return static_cast<unsigned long>(value);
}

HostedRun parseHostedRun(int argc, char** argv, const char* environmentWindow)
{
    HostedRun run;
    bool root = false;
    const char* windowId = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "-root") == 0 || std::strcmp(a, "--root") == 0) {
            root = true;
        } else if (std::strcmp(a, "-window-id") == 0 || std::strcmp(a, "--window-id") == 0) {
            if (i + 1 < argc)
                windowId = argv[++i];
        } else if (std::strncmp(a, "--window-id=", 12) == 0) {
            windowId = a + 12;
        }
    }
    if (windowId != nullptr) {
        run.active = true;
        run.window = parseWindowId(windowId);
        // A preview id that is no number is no window: the run then fails
        // like any preview with a bad window, rather than taking the screen.
        if (run.window == 0)
            run.window = ~0ul;
        return run;
    }
    if (root) {
        run.active = true;
        if (environmentWindow != nullptr) {
            run.window = parseWindowId(environmentWindow);
            // A variable that names no window is the daemon's mistake: the
            // run fails rather than drawing over the whole screen.
            if (run.window == 0)
                run.window = ~0ul;
        }
        return run;
    }
    return run;
}

namespace {

void endWithDefaultAction(int signalNumber)
{
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

void installHostedSignalHandlers()
{
    for (int signalNumber : {SIGTERM, SIGUSR1}) {
        struct sigaction action{};
        action.sa_handler = endWithDefaultAction;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(signalNumber, &action, nullptr);
    }
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGUSR1);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}
