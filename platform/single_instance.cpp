#include "platform/single_instance.h"

#include "platform/abstract_name.h"

#include <unistd.h>

std::string singleInstanceName()
{
    return "K_OPENGL_SCREENSAVER" + std::to_string(getuid());
}

bool holdSingleInstanceName()
{
    // The descriptor of a held name stays open on purpose until the process
    // ends.
    int fd = -1;
    return claimAbstractName(singleInstanceName(), &fd) != NameClaim::TakenByThisUser;
}
