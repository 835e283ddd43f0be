#include "platform/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace {

// The abstract-namespace address of name: a leading NUL, then the name
// (not NUL-terminated).
socklen_t abstractAddress(const std::string& name, sockaddr_un* address)
{
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path + 1, name.data(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// Whether the name is held by a process of this user. Abstract names have no
// permissions, so anyone can bind any of them; only a holder of our own uid,
// as the kernel reports it for the listening socket, counts. A holder that
// cannot be asked (it does not listen, its queue is full) is no proof.
bool heldByThisUser(const sockaddr_un& address, socklen_t length)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    bool ours = false;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
        ucred holder{};
        socklen_t size = sizeof holder;
        ours = getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &holder, &size) == 0 && holder.uid == getuid();
    }
    close(fd);
    return ours;
}

} // namespace

std::string singleInstanceName()
{
    return "K_OPENGL_SCREENSAVER" + std::to_string(getuid());
}

bool holdSingleInstanceName()
{
    sockaddr_un address;
    const socklen_t length = abstractAddress(singleInstanceName(), &address);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        close(fd);
        return error != EADDRINUSE || !heldByThisUser(address, length);
    }
    // Listening lets a later run ask who holds the name. Nobody is ever
    // accepted: the question is answered by the kernel at connect time.
    listen(fd, SOMAXCONN);
    // The descriptor stays open on purpose until the process ends.
    return true;
}
