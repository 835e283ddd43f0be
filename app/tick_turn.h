// One tick per display: of all the clock processes of a user on one display
// (a run per monitor, a preview beside a full-screen run), only the one that
// holds the display's tick name plays the tick. The others ask again once a
// second, so when the holder ends another takes the tick over. One
// implementation per platform (x11_tick_turn.cpp, win32_tick_turn.cpp).
#pragma once

#include <cstdint>
#include <string>

// The tick name of this user on the display this process draws on.
std::string tickNameForThisDisplay();

class TickTurn {
public:
    explicit TickTurn(std::string name) : m_name(std::move(name)) {}
    ~TickTurn();  // gives the name up
    TickTurn(const TickTurn&) = delete;
    TickTurn& operator=(const TickTurn&) = delete;
    // Whether this process plays the tick due now. Asked once for every
    // tick that falls due, so a process without the name tries again once a
    // second.
    bool isMine();

private:
    std::string m_name;
    std::intptr_t m_held = -1;  // the platform's handle of the held name, or -1
};

#if !defined(_WIN32)
// X11: the display part of an X display name (":0.1" and ":0" are one
// display), and the tick name of this user on the display named displayName.
std::string displayOfScreen(const std::string& displayName);
std::string tickNameFor(const std::string& displayName);
#endif
