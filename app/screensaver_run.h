// The screensaver proper, after the entry point has chosen it: the
// application (window and context), then the main loop.
#pragma once

struct CommandLine;

// Builds g_application for line and runs the main loop until the run ends.
// A start-up that cannot get the memory it needs ends the process with one
// line on standard error (and a box in a run started by hand), status 0.
void runScreensaver(CommandLine* line);
