// The tick's turn on Linux: an abstract socket name per user and X display.
#include "app/tick_turn.h"

#include "platform/abstract_name.h"

#include <unistd.h>

#include <cstdlib>

std::string displayOfScreen(const std::string& displayName)
{
    const std::size_t colon = displayName.rfind(':');
    const std::size_t dot = displayName.find('.', colon == std::string::npos ? 0 : colon);
    return colon == std::string::npos || dot == std::string::npos ? displayName : displayName.substr(0, dot);
}

std::string tickNameFor(const std::string& displayName)
{
    return "tarnwick-tick-" + std::to_string(getuid()) + "-" + displayOfScreen(displayName);
}

std::string tickNameForThisDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return tickNameFor(display != nullptr ? display : "");
}

TickTurn::~TickTurn()
{
    if (m_held >= 0)
        close(static_cast<int>(m_held));
}

bool TickTurn::holdName()
{
    if (m_held >= 0) {
        answerNameQueries(static_cast<int>(m_held));
        return true;
    }
    // A name that another user took proves nothing: tick rather than stay
    // silent because of someone else's socket.
    int fd = -1;
    const NameClaim claim = claimAbstractName(m_name, &fd);
    if (claim == NameClaim::Held)
        m_held = fd;
    return claim != NameClaim::TakenByThisUser;
}

bool TickTurn::heldByAnother() const
{
    int fd = -1;
    const NameClaim claim = claimAbstractName(m_name, &fd);
    // Free: it was only looked at, and is given back at once.
    if (claim == NameClaim::Held)
        close(fd);
    return claim == NameClaim::TakenByThisUser;
}
