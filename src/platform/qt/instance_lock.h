// One running program per user: an flock on a file in the runtime folder.
// The kernel drops the lock when the process dies, so a crash never blocks
// the next start.
#pragma once

#include <string>

namespace platform::qt {

// $XDG_RUNTIME_DIR/<name>.lock, or /tmp/<name>-<uid>.lock without one.
std::string lockPathFor(const std::string& name);

class InstanceLock {
public:
    explicit InstanceLock(std::string path) : path_(std::move(path)) {}
    ~InstanceLock() { release(); }
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock (or already did). A lock
    // file that cannot be opened at all does not keep the program from running.
    bool acquire();
    void release();

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace platform::qt
