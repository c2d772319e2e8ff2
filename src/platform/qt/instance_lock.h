// One running program per settings store: an flock on an owner-only file
// next to the store. Two programs that would share one store (the same
// config folder under different runtime folders) see the same lock. The
// kernel drops the lock when the process dies, so a crash never blocks the
// next start.
#pragma once

#include <string>

namespace platform::qt {

// <config>/<app>/<app>.lock, beside <app>.ini; never in a shared folder such
// as /tmp, where another user could take it first.
std::string lockPathFor(const std::string& app);

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
