// Runs hosted by a Linux screensaver daemon (xscreensaver and the lockers that
// run its hacks): the host makes the window, names it in XSCREENSAVER_WINDOW
// and starts one process per monitor with "-root" / "--root", or, for the
// settings preview, with "--window-id 0x…".
#pragma once

struct HostedRun {
    bool active = false;           // started by a screensaver daemon
    unsigned long window = 0;      // the window to draw in; 0 with active means the root window
};

// Reads the daemon's conventions from the arguments and the value of
// XSCREENSAVER_WINDOW (null when unset). "--window-id"/"-window-id" wins over
// the variable; "-root"/"--root" alone draws on the root window. Window ids
// are hexadecimal with "0x" or decimal; anything else counts as no window.
HostedRun parseHostedRun(int argc, char** argv, const char* environmentWindow);

// A window id in hexadecimal ("0x1a00003") or decimal ("27262979"); 0 for text
// that is neither, or that does not fit an X id (32 bits).
unsigned long parseWindowId(const char* text);

// Makes SIGTERM and SIGUSR1 end the process at once with their default
// action, whatever the libraries did to them and even when the parent left
// them blocked; the X server then removes our child window, and the host's
// own window is left untouched.
void installHostedSignalHandlers();

extern HostedRun* g_hostedRun;
