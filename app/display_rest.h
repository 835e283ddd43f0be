// Resting while the display is off: no frame is drawn, no tick plays and the
// sound device is closed, so the process uses next to no CPU and holds no
// sound stream (a machine with an open stream counts as in use, and a sound
// server keeps its card awake). When the display comes on again the device
// reopens in the background. The display's power comes from
// platform/display_power.h; the decision is made here, for every platform.
#pragma once

#include <chrono>

class DisplayRest {
public:
    enum class State {
        Awake,     // draw as usual
        Resting,   // draw nothing; wait for events, at most kLookEvery
        JustWoke,  // the first frame after a rest: draw it now
    };

    // How long a resting loop waits for events before it looks again: a
    // display that comes on is drawn on again within this time.
    static constexpr double kLookEvery = 0.25;

    // Starts watching the display's power.
    DisplayRest();

    // Looks at the display's power (at most once a second while awake, at
    // every call while resting), closes or reopens the sound device as it
    // changes, and says what the loop does now.
    State look();

private:
    bool m_resting = false;
    std::chrono::steady_clock::time_point m_lastLook{};
};
