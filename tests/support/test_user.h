// The unprivileged user that runs programs which refuse root (screensaver
// daemons, Wayland compositors) when the test suite itself runs as root.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace e2e {

struct TestUser {
    bool switchUser = false;  // true when commands must change to this user
    uid_t uid = 0;
    gid_t gid = 0;
    std::string name;
};

// Ourselves when we are not root; otherwise the system user "tarnwick-test",
// made on first use. uid stays 0 when no such user could be made.
TestUser testUser();

// The argv that runs argv as user: through setpriv when the user must change,
// with no supplementary groups, otherwise unchanged.
std::vector<std::string> asUser(const TestUser& user, std::vector<std::string> argv);

} // namespace e2e
