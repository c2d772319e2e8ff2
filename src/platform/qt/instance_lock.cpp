// The single-instance lock file. O_CLOEXEC keeps programs that we start from
// inheriting the descriptor, and with it the lock.
#include "platform/qt/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/qt/safe_files.h"
#include "platform/qt/settings_file.h"

namespace platform::qt {

std::string lockPathFor(const std::string& app) {
    const std::string store = settingsPathFor(app);
    return store.substr(0, store.rfind('.')) + ".lock";
}

bool InstanceLock::acquire() {
    if (fd_ >= 0) return true;
    makeFolders(folderOf(path_));
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return true;
    ::fchmod(fd, 0600);  // a lock file left by an older version may be wider
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
