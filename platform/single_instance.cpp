#include "platform/single_instance.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

std::string singleInstanceName()
{
    return "K_OPENGL_SCREENSAVER" + std::to_string(getuid());
}

bool holdSingleInstanceName()
{
    const std::string name = singleInstanceName();
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true;

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // Abstract namespace: a leading NUL, then the name (not NUL-terminated).
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());

    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        close(fd);
        return error != EADDRINUSE;
    }
    // The descriptor stays open on purpose until the process ends.
    return true;
}
