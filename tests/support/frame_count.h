// Reading a run's progress: frames counted by the preloaded frame counter and
// the resident memory of the process.
#pragma once

#include "tests/support/e2e.h"

#include <sys/types.h>

#include <map>
#include <string>

namespace e2e {

// A fresh file for a run's frame count.
std::string newFrameCountFile();

// env with the frame counter preloaded, writing to countFile.
std::map<std::string, std::string> withFrameCounter(std::map<std::string, std::string> env,
                                                    const std::string& countFile);

// Frames the run has shown so far (0 before the first).
unsigned long framesShown(const std::string& countFile);

// Waits until at least frames frames were shown, the run ended, or
// seconds passed; gives the last count.
unsigned long waitForFrames(const std::string& countFile, unsigned long frames, Process& run, double seconds);

// For an event the program answers at its next look at its events (a key, a
// click, a vanished host): true when the run ended before it had shown more
// than frames frames after since (the count read as soon as the event reached the X server).
// Counting frames rather than seconds keeps the answer's measure honest on a
// software renderer, where one frame now and then takes seconds of CPU; the
// wall-clock limit only stops a run that never ends. *status receives the
// wait status when the run ended.
bool endsWithinFrames(const std::string& countFile, unsigned long since, unsigned long frames, Process& run,
                      int* status, double seconds = 60.0);

// For a host resize the program follows at its next look at the host: true
// when window reaches width x height before the run has shown more than
// frames frames after since (the count read once the resize reached the
// server).
bool reachesSizeWithinFrames(Display* display, Window window, int width, int height, const std::string& countFile,
                             unsigned long since, unsigned long frames, Process& run, double seconds = 60.0);

// VmRSS of the process in KiB; 0 when it is gone.
long residentKiB(pid_t pid);
// CPU seconds (user + system) the process has used so far; 0 when gone.
double cpuSeconds(pid_t pid);
// Resident KiB of the process's main heap (the brk segment); 0 when gone.
long heapResidentKiB(pid_t pid);

} // namespace e2e
