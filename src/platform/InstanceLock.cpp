#include "platform/InstanceLock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace tonlira {

// The lock is a socket bound to a name in the abstract socket namespace:
// visible system-wide, unlinked by the kernel when the last descriptor closes.
InstanceLock::InstanceLock(const std::string& name) {
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) {
        return;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof(address.sun_path) - 1);
    address.sun_path[0] = '\0';
    std::memcpy(address.sun_path + 1, name.data(), length);
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (::bind(socket_, reinterpret_cast<const sockaddr*>(&address), size) == 0) {
        outcome_ = Outcome::Acquired;
        return;
    }
    outcome_ = errno == EADDRINUSE ? Outcome::AlreadyHeld : Outcome::Failed;
    ::close(socket_);
    socket_ = -1;
}

InstanceLock::~InstanceLock() {
    if (socket_ >= 0) {
        ::close(socket_);
    }
}

}  // namespace tonlira
