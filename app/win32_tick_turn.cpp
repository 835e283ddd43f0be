// One tick per Windows session: of all the clock processes of a session (a
// preview beside a full-screen run), only the holder of a named mutex plays
// the tick. The others try again once a second; when the holder ends, the
// mutex is abandoned and the next one to try takes the tick over.
#include "app/tick_turn.h"

#include <windows.h>

std::string displayOfScreen(const std::string& displayName)
{
    return displayName;
}

std::string tickNameFor(const std::string&)
{
    // Without a namespace prefix the name is local to the user's session.
    return "tarnwick-tick";
}

TickTurn::~TickTurn()
{
    if (m_fd >= 0) {
        HANDLE mutex = LongToHandle(m_fd);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

bool TickTurn::isMine()
{
    if (m_fd >= 0)
        return true;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, m_name.c_str());
    if (mutex == nullptr)
        return true;  // no mutex to be had: tick rather than stay silent
    const DWORD result = WaitForSingleObject(mutex, 0);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
        // Kernel handles carry 32 significant bits on 64-bit Windows.
        m_fd = HandleToLong(mutex);
        return true;
    }
    CloseHandle(mutex);
    return false;
}
