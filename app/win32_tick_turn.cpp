// One tick per Windows session: of all the clock processes of a session (a
// preview beside a full-screen run), only the holder of a named mutex plays
// the tick. The others try again once a second; when the holder ends, the
// mutex is abandoned and the next one to try takes the tick over.
#include "app/tick_turn.h"

#include <windows.h>

// Without a namespace prefix the name is local to the user's session.
std::string tickNameForThisDisplay() { return "tarnwick-tick"; }

TickTurn::~TickTurn()
{
    if (m_held >= 0) {
        HANDLE mutex = reinterpret_cast<HANDLE>(m_held);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

bool TickTurn::holdName()
{
    if (m_held >= 0)
        return true;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, m_name.c_str());
    if (mutex == nullptr)
        return true;  // no mutex at all: tick rather than stay silent
    const DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
        m_held = reinterpret_cast<std::intptr_t>(mutex);
        return true;
    }
    CloseHandle(mutex);
    return false;
}

bool TickTurn::heldByAnother() const
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, m_name.c_str());
    if (mutex == nullptr)
        return false;  // no full-screen run has made it
    const DWORD wait = WaitForSingleObject(mutex, 0);
    // Had at once: nobody holds it; it was only looked at.
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return wait == WAIT_TIMEOUT;
}
