#include "tests/support/test_user.h"

#include "tests/support/e2e.h"

#include <pwd.h>
#include <unistd.h>

namespace e2e {

TestUser testUser()
{
    static const char* const kName = "tarnwick-test";
    TestUser user;
    if (geteuid() != 0) {
        user.uid = geteuid();
        user.gid = getegid();
        if (const passwd* entry = getpwuid(user.uid))
            user.name = entry->pw_name;
        return user;
    }
    if (getpwnam(kName) == nullptr)
        run({"useradd", "--system", "--create-home", "--shell", "/usr/sbin/nologin", kName});
    if (const passwd* entry = getpwnam(kName)) {
        user.switchUser = true;
        user.uid = entry->pw_uid;
        user.gid = entry->pw_gid;
        user.name = kName;
    }
    return user;
}

std::vector<std::string> asUser(const TestUser& user, std::vector<std::string> argv)
{
    if (!user.switchUser)
        return argv;
    std::vector<std::string> command{"setpriv", "--reuid=" + std::to_string(user.uid),
                                     "--regid=" + std::to_string(user.gid), "--clear-groups", "--"};
    command.insert(command.end(), argv.begin(), argv.end());
    return command;
}

} // namespace e2e
