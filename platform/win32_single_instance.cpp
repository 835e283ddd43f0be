// The single-instance name on Windows: a named event in the user's session.
#include "platform/single_instance.h"

#include <windows.h>

std::string singleInstanceName()
{
    return "K_OPENGL_SCREENSAVER";
}

bool holdSingleInstanceName()
{
    // Manual-reset, not signalled, no security attributes; never signalled or
    // waited on: only whether it already existed matters.
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, singleInstanceName().c_str());
    if (event != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        return false;
    }
    // Kept open until the process ends; a creation that failed otherwise lets
    // the run go on.
    return true;
}
