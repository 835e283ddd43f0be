// Runs hosted by a Linux screensaver daemon (xscreensaver and the lockers that
// run its hacks): the host makes the window, names it in XSCREENSAVER_WINDOW
// and starts one process per monitor with "-root" / "--root", or, for the
// settings preview, with "--window-id 0x…". A locker may also start the
// program with no switch at all, naming its window in the variable.
#pragma once

#include <string>
#include <vector>

// Frame-rate limits a hosted run accepts, in frames per second.
inline constexpr int kMaxFpsLimit = 1000;

struct HostedRun {
    bool active = false;           // started by a screensaver daemon
    unsigned long window = 0;      // the window to draw in; 0 with active means the root window
    // Settings of the daemon's dialog, honoured in every run mode.
    bool tick = true;              // "--no-tick" turns the tick off
    int maxFps = 0;                // "--max-fps N": at most N frames a second; 0: as the display paces them
    // One line for each setting that was not understood and left at its default.
    std::vector<std::string> complaints;
};

// Reads the daemon's conventions from the arguments and the value of
// XSCREENSAVER_WINDOW (null when unset). "--window-id"/"-window-id" wins over
// the variable; "-root"/"--root" alone draws on the root window; a run with
// no switch of its own (switchless) while the variable is set and not empty
// draws in that window. Window ids are hexadecimal with "0x" or decimal;
// anything else names no window, and the run then fails rather than drawing
// over the whole screen. The settings are read in every run, hosted or not;
// what is not understood is reported in at most one line for unknown
// arguments and one for a bad frame-rate limit.
HostedRun parseHostedRun(int argc, char** argv, const char* environmentWindow, bool switchless);

// A window id in hexadecimal ("0x1a00003") or decimal ("27262979"); 0 for text
// that is neither, or that does not fit an X id (32 bits).
unsigned long parseWindowId(const char* text);

// Makes SIGTERM and SIGUSR1 end the process at once with their default
// action, whatever the libraries did to them and even when the parent left
// them blocked; the X server then removes our child window, and the host's
// own window is left untouched.
void installHostedSignalHandlers();

extern HostedRun* g_hostedRun;

// The settings this run follows: those of its command line in every mode,
// the defaults where none were read (the Windows build reads none).
inline HostedRun runSettings() { return g_hostedRun != nullptr ? *g_hostedRun : HostedRun{}; }
