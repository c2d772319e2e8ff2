// The headless desktop's front: what a test puts there, heard by the
// program at the next doEvents, as from a window system.
#pragma once

#include <functional>
#include <utility>

#include "platform/foreground_watch.h"

namespace platform::headless {

class FakeForegroundWatch : public ForegroundWatch {
  public:
    explicit FakeForegroundWatch(Platform& platform) : platform_(platform) {}

    void start(std::function<void()> changed) override {
        changed_ = std::move(changed);
        ++starts;
    }
    void stop() override { changed_ = nullptr; }
    Front front() override { return front_; }

    // --- For tests ---
    bool watching() const { return bool(changed_); }
    // Another program's window comes in front, changes, or goes.
    void show(Front front) {
        front_ = std::move(front);
        if (changed_) {
            platform_.post([this] {
                if (changed_) changed_();
            });
        }
    }
    int starts = 0;

  private:
    Platform& platform_;
    std::function<void()> changed_;
    Front front_;
};

}  // namespace platform::headless
