// Run modes and the command line the screensaver host starts us with.
#pragma once

#include <cstdint>
#include <string>

enum RunMode {
    Preview = 0,      // "/p <window>": draw inside the host's window
    Screensaver = 1,  // "/s": full screen
    Configure = 2,    // "/c": the About window
    None = 3,         // no switch recognised: full screen
};

struct CommandLine {
    RunMode mode = RunMode::None;
    std::int32_t hostWindow = 0;  // X11 window id given with the switch; 0 when none
};

// Reads the switches from the argument text (see command_line.cpp for the rules).
CommandLine parseCommandLine(const char* text);

// The argument text of a process: argv[1..] joined with single spaces.
std::string joinArguments(int argc, char** argv);

// True when this run may go on; false when another Preview or switch-less run
// of this user holds the single-instance name.
bool acquireSingleInstance();

extern CommandLine* g_commandLine;
