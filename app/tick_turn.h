// One tick per X display: of all the clock processes of a user on one
// display (a run per monitor, a preview beside a full-screen run), only the
// one that holds the display's tick name plays the tick. The others ask again
// once a second, so when the holder ends another takes the tick over.
#pragma once

#include <string>

// The display part of an X display name: ":0.1" and ":0" are one display.
std::string displayOfScreen(const std::string& displayName);

// The tick name of this user on the display named displayName.
std::string tickNameFor(const std::string& displayName);

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
    int m_fd = -1;  // the held name, or -1
};
