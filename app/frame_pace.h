// Frames paced to the display. A frame is never shown sooner than the
// display can show it: after the swap, a frame that came in under the primary
// monitor's refresh period waits out the rest. A display that paces the swaps
// itself sees no change; one that does not (a virtual machine, a remote
// desktop, a driver that ignores the swap interval, a display that is off)
// gets at most its refresh rate instead of frames as fast as the CPU allows.
// The wait answers events at once.
#pragma once

#include <chrono>

// The shortest time between frames: a refresh period of the display at
// refreshHz (60 where the display reports none), or of maxFps frames a second
// when that is lower (0: no limit). The display's rate counts as one hertz
// more than reported: systems round the rate (59.94 Hz reads as 59 or 60), and
// a wait a little longer than the true period would make a paced display
// miss a retrace now and then.
double framePeriodSeconds(int refreshHz, int maxFps);

class FramePace {
public:
    explicit FramePace(int maxFps) : m_maxFps(maxFps) {}

    // Handles the events that came in, waiting for more until the frame that
    // started at frameStart has lasted its period.
    void waitOutFrame(std::chrono::steady_clock::time_point frameStart);

private:
    // The period, with the primary monitor's rate read again once a second
    // (the monitor or its mode may change).
    double period();

    int m_maxFps;
    double m_period = 0.0;
    std::chrono::steady_clock::time_point m_readAt{};
};
