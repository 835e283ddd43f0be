#include "app/tick_turn.h"

#include "platform/abstract_name.h"

#include <unistd.h>

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

TickTurn::~TickTurn()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool TickTurn::isMine()
{
    if (m_fd >= 0) {
        answerNameQueries(m_fd);
        return true;
    }
    // A name that another user took proves nothing: tick rather than stay
    // silent because of someone else's socket.
    return claimAbstractName(m_name, &m_fd) != NameClaim::TakenByThisUser;
}
