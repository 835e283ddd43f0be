// A per-user name whose existence tells whether another run holds it.
#pragma once

#include <string>

// The abstract socket name for this user: "K_OPENGL_SCREENSAVER" and the uid.
std::string singleInstanceName();

// Binds the abstract-namespace Unix socket singleInstanceName() and keeps it
// for the rest of the process; the kernel frees the name when the process
// ends. False only when another process of this user holds the name already
// (the kernel's record of the holder's uid decides; a name taken by another
// user does not count); any other failure reports true, so a broken socket
// layer never stops the screensaver.
bool holdSingleInstanceName();
