// The single-instance lock file. O_CLOEXEC keeps programs that we start from
// inheriting the descriptor, and with it the lock.
#include "platform/qt/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform::qt {

std::string lockPathFor(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && ::access(runtime, W_OK) == 0) {
        return std::string(runtime) + "/" + name + ".lock";
    }
    return "/tmp/" + name + "-" + std::to_string(::getuid()) + ".lock";
}

bool InstanceLock::acquire() {
    if (fd_ >= 0) return true;
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return true;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(fd);
        return error != EWOULDBLOCK;
    }
    fd_ = fd;
    return true;
}

void InstanceLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

}  // namespace platform::qt
