#include "platform/system_version.h"

#include <cstdio>
#include <sys/utsname.h>

int systemVersionNumber()
{
    // The kernel release ("6.1.0-…") as major × 10 + minor, floored at 60.
    int major = 0;
    int minor = 0;
    utsname name{};
    if (uname(&name) == 0)
        std::sscanf(name.release, "%d.%d", &major, &minor);
    const int number = major * 10 + (minor > 9 ? 9 : minor);
    return number < 60 ? 60 : number;
}
