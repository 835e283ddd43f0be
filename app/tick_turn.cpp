#include "app/tick_turn.h"

bool TickTurn::isMine()
{
    if (m_kind == Kind::GivesWay)
        return !heldByAnother();
    return holdName();
}
