#include "platform/sdl/instance_lock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace marlit {

namespace {

// An abstract socket address: a NUL, then a name made from a hash of the
// key (folder paths can be longer than the address).
socklen_t addressOf(const std::string& key, sockaddr_un& addr) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : key) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char name[40];
    int n = std::snprintf(name, sizeof name, "marlit-%016llx", static_cast<unsigned long long>(h));
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path + 1, name, static_cast<size_t>(n));
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<size_t>(n));
}

}  // namespace

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceLock::signalRunning(const std::string& key) {
    sockaddr_un addr;
    socklen_t len = addressOf(key, addr);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool found = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
    if (found) {
        const char raise = 'R';
        ssize_t sent = ::send(fd, &raise, 1, MSG_NOSIGNAL);
        (void)sent;
    }
    ::close(fd);
    return found;
}

bool InstanceLock::claim(const std::string& key) {
    sockaddr_un addr;
    socklen_t len = addressOf(key, addr);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool InstanceLock::raiseRequested() {
    if (fd_ < 0)
        return false;
    bool asked = false;
    for (;;) {
        int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (c < 0)
            break;
        asked = true;
        ::close(c);
    }
    return asked;
}

}  // namespace marlit
