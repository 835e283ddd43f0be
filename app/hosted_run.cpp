#include "app/hosted_run.h"

#include <cctype>
#include <csignal>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

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

namespace {

bool isOption(const char* argument, const char* name)
{
    // Daemons write their options with one dash or two.
    return argument[0] == '-' && (std::strcmp(argument + 1, name) == 0 ||
                                  (argument[1] == '-' && std::strcmp(argument + 2, name) == 0));
}

// The value of "--name=value" (one or two dashes), or null.
const char* joinedValue(const char* argument, const char* name)
{
    const char* p = argument[0] == '-' ? argument + 1 : nullptr;
    if (p != nullptr && *p == '-')
        ++p;
    const std::size_t length = std::strlen(name);
    if (p == nullptr || std::strncmp(p, name, length) != 0 || p[length] != '=')
        return nullptr;
    return p + length + 1;
}

// A frame-rate limit from 0 to kMaxFpsLimit, in decimal with an optional
// fraction (a settings slider may write "30.0"), rounded to whole frames; -1
// for anything else.
int parseFrameRate(const char* text)
{
    if (text == nullptr || *text < '0' || *text > '9')
        return -1;
    double value = 0.0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10.0 + (*p - '0');
        if (value > kMaxFpsLimit)
            return -1;
    }
    if (*p == '.') {
        double scale = 0.1;
        for (++p; *p >= '0' && *p <= '9'; ++p, scale /= 10.0)
            value += (*p - '0') * scale;
    }
    const int rounded = static_cast<int>(value + 0.5);
    return *p == '\0' && rounded <= kMaxFpsLimit ? rounded : -1;
}

// "--max-fps" read into *maxFps, or the one line that says why it was not.
std::vector<std::string> settingComplaints(bool maxFpsGiven, const char* maxFps, int* rate)
{
    if (!maxFpsGiven)
        return {};
    const int parsed = parseFrameRate(maxFps);
    if (parsed >= 0) {
        *rate = parsed;
        return {};
    }
    return {"tarnwick: --max-fps wants a number of frames a second from 0 to " + std::to_string(kMaxFpsLimit) +
            ", not '" + (maxFps != nullptr ? maxFps : "") + "'; frames are paced by the display"};
}

// One line for all the arguments not understood, however many: the first
// few by name, the rest counted.
std::string unknownArgumentsLine(const std::vector<std::string>& arguments)
{
    constexpr std::size_t kNamed = 5;
    std::string line = arguments.size() == 1 ? "tarnwick: unknown setting" : "tarnwick: unknown settings";
    for (std::size_t i = 0; i < arguments.size() && i < kNamed; ++i) {
        // Shown as text, whatever bytes an argument holds.
        std::string shown;
        for (char c : arguments[i].substr(0, 64))
            shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
        line += (i == 0 ? " '" : ", '") + shown + "'";
    }
    if (arguments.size() > kNamed)
        line += " and " + std::to_string(arguments.size() - kNamed) + " more";
    return line + " ignored";
}

} // namespace

HostedRun parseHostedRun(int argc, char** argv, const char* environmentWindow, bool switchless)
{
    HostedRun run;
    bool root = false;
    const char* windowId = nullptr;
    std::vector<std::string> unknown;
    bool maxFpsGiven = false;
    const char* maxFps = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (isOption(a, "root")) {
            root = true;
        } else if (isOption(a, "window-id")) {
            if (i + 1 < argc)
                windowId = argv[++i];
        } else if (const char* id = joinedValue(a, "window-id")) {
            windowId = id;
        } else if (isOption(a, "no-tick")) {
            run.tick = false;
        } else if (isOption(a, "max-fps")) {
            maxFpsGiven = true;
            maxFps = i + 1 < argc ? argv[++i] : nullptr;
        } else if (const char* rate = joinedValue(a, "max-fps")) {
            maxFpsGiven = true;
            maxFps = rate;
        } else {
            unknown.push_back(a);
        }
    }
    run.complaints = settingComplaints(maxFpsGiven, maxFps, &run.maxFps);

    // "--root" without the variable draws on the root window (0).
    const bool onRoot = windowId == nullptr && root && environmentWindow == nullptr;
    // A locker that runs the program itself names its window only in the
    // variable, with no switch at all.
    const bool locker = switchless && environmentWindow != nullptr && *environmentWindow != '\0';
    if (windowId != nullptr)
        run.window = parseWindowId(windowId);
    else if (!onRoot && (root || locker))
        run.window = parseWindowId(environmentWindow);
    run.active = windowId != nullptr || onRoot || root || locker;
    // An id that names no window never falls back to the whole screen: the
    // run fails like a preview of a bad window.
    if (run.active && run.window == 0 && !onRoot)
        run.window = ~0ul;

    // A daemon passes nothing but its options; an ordinary run also carries
    // its "/" switch and the window number after "/p", which are not ours
    // to judge: there only what looks like an option is reported.
    std::vector<std::string> reported;
    for (const std::string& argument : unknown) {
        const bool looksLikeOption =
            argument.size() > 1 && argument[0] == '-' && !std::isdigit(static_cast<unsigned char>(argument[1]));
        if (run.active || looksLikeOption)
            reported.push_back(argument);
    }
    if (!reported.empty())
        run.complaints.insert(run.complaints.begin(), unknownArgumentsLine(reported));
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
