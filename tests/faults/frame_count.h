// Reading a run's progress: frames counted by the preloaded frame counter and
// the resident memory of the process.
#pragma once

#include "tests/support/e2e.h"

#include <sys/types.h>

#include <map>
#include <string>

namespace faults {

// A fresh file for a run's frame count.
std::string newFrameCountFile();

// env with the frame counter preloaded, writing to countFile.
std::map<std::string, std::string> withFrameCounter(std::map<std::string, std::string> env,
                                                    const std::string& countFile);

// Frames the run has shown so far (0 before the first).
unsigned long framesShown(const std::string& countFile);

// Waits until at least frames frames were shown, the run ended, or
// seconds passed; gives the last count.
unsigned long waitForFrames(const std::string& countFile, unsigned long frames, e2e::Process& run, double seconds);

// VmRSS of the process in KiB; 0 when it is gone.
long residentKiB(pid_t pid);
// Resident KiB of the process's main heap (the brk segment); 0 when gone.
long heapResidentKiB(pid_t pid);

} // namespace faults
