// The system version on Windows, as GetVersion reports it.
#include "platform/system_version.h"

#include <windows.h>

int systemVersionNumber()
{
    // The low word holds the major version in its low byte and the minor
    // version in its high byte.
    const DWORD version = GetVersion();
    const int major = LOBYTE(LOWORD(version));
    const int minor = HIBYTE(LOWORD(version));
    return major * 10 + minor;
}
