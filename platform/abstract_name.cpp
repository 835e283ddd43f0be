#include "platform/abstract_name.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace {

// The abstract address of name: a leading NUL, then the name (not
// NUL-terminated; longer names are cut to what the address holds).
socklen_t abstractAddress(const std::string& name, sockaddr_un* address)
{
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address->sun_path - 1);
    std::memcpy(address->sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

// Whether the holder of the address is a process of this user, as the
// kernel reports the uid of the socket that listens there.
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

NameClaim claimAbstractName(const std::string& name, int* fd)
{
    sockaddr_un address;
    const socklen_t length = abstractAddress(name, &address);
    const int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (s < 0)
        return NameClaim::NotProvenOurs;
    if (bind(s, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        close(s);
        if (error == EADDRINUSE && heldByThisUser(address, length))
            return NameClaim::TakenByThisUser;
        return NameClaim::NotProvenOurs;
    }
    // Listening lets a later claimant ask who holds the name; the kernel
    // answers at connect time, before anyone is accepted.
    listen(s, SOMAXCONN);
    *fd = s;
    return NameClaim::Held;
}

void answerNameQueries(int fd)
{
    for (;;) {
        const int query = accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (query < 0)
            return;
        close(query);
    }
}
