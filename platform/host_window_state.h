// What a run that draws inside another program's window knows about that host.
#pragma once

struct HostWindowState {
    bool exists = false;       // the id names a live window
    bool mapped = false;       // shown (X11: mapped, or only hidden by an ancestor; Win32: enabled)
    bool viewable = false;     // can be seen (X11: mapped with every ancestor mapped; Win32: visible)
    bool inputOutput = false;  // can hold a drawn child (X11: not an InputOnly window)
    int width = 0;             // client size in pixels
    int height = 0;
    int screen = -1;           // the X screen the window belongs to (-1 on Win32)
};
