// One tick per display: of all the clock processes of a user on one display
// (a run per monitor, a preview beside a full-screen run), only the one that
// holds the display's tick name plays the tick. The others ask again once a
// second, so when the holder ends another takes the tick over. A preview
// never takes the name: it ticks only while no full-screen run holds it, so
// the clock that fills the screen is the one heard. The platform parts are
// in x11_tick_turn.cpp and win32_tick_turn.cpp.
#pragma once

#include <cstdint>
#include <string>

// The tick name of this user on the display this process draws on.
std::string tickNameForThisDisplay();

class TickTurn {
public:
    enum class Kind {
        Holds,     // a full-screen run: takes the name when it is free
        GivesWay,  // a preview: ticks while nobody holds the name
    };
    explicit TickTurn(std::string name, Kind kind = Kind::Holds) : m_name(std::move(name)), m_kind(kind) {}
    ~TickTurn();  // gives the name up
    TickTurn(const TickTurn&) = delete;
    TickTurn& operator=(const TickTurn&) = delete;
    // Whether this process plays the tick due now. Asked once for every
    // tick that falls due, so a process without the name tries again once a
    // second.
    bool isMine();

private:
    // Holds the name from now on if it is free; true while it is held (or
    // when the name cannot be had at all: tick rather than stay silent).
    bool holdName();
    // Whether another process of this user holds the name now.
    bool heldByAnother() const;

    std::string m_name;
    Kind m_kind;
    std::intptr_t m_held = -1;  // the platform's handle of the held name, or -1
};

#if !defined(_WIN32)
// X11: the display part of an X display name (":0.1" and ":0" are one
// display), and the tick name of this user on the display named displayName.
std::string displayOfScreen(const std::string& displayName);
std::string tickNameFor(const std::string& displayName);
#endif
