// Headless windows: peers, the z-order with its topmost band, the virtual
// clock with its timers, and the processing of pending events.
#include <algorithm>

#include "platform/headless/headless_platform.h"

namespace platform::headless {

class HeadlessPeer : public forms::FormPeer {
  public:
    HeadlessPeer(HeadlessPlatform& platform, forms::Form& form) : platform_(platform), form_(form) {
        platform_.addWindow(form_);
        for (const auto& c : form_.controls()) {
            if (auto* timer = dynamic_cast<forms::Timer*>(c.get())) platform_.scheduleTimer(*timer);
        }
    }
    ~HeadlessPeer() override {
        platform_.dropTimers(form_);
        platform_.removeWindow(form_);
    }
    void formChanged(forms::Prop what) override {
        if ((what == forms::Prop::Visible && form_.Visible()) || what == forms::Prop::Focus) {
            platform_.raise(form_);
        }
    }
    void controlChanged(forms::Control& control, forms::Prop what) override {
        if (what != forms::Prop::Interval) return;
        if (auto* timer = dynamic_cast<forms::Timer*>(&control)) platform_.scheduleTimer(*timer);
    }

  private:
    HeadlessPlatform& platform_;
    forms::Form& form_;
};

std::unique_ptr<forms::FormPeer> HeadlessPlatform::createPeer(forms::Form& form) {
    return std::make_unique<HeadlessPeer>(*this, form);
}

void HeadlessPlatform::addWindow(forms::Form& form) {
    windows_.insert(windows_.begin(), {&form, false});
}

void HeadlessPlatform::removeWindow(forms::Form& form) {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&](const Window& w) { return w.form == &form; }),
                   windows_.end());
}

// Brings a window to the front of its band.
void HeadlessPlatform::raise(forms::Form& form) {
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const Window& w) { return w.form == &form; });
    if (it == windows_.end()) return;
    Window w = *it;
    windows_.erase(it);
    windows_.insert(windows_.begin(), w);
}

void HeadlessPlatform::setTopmost(forms::Form& form, bool topmost) {
    topmostCalls.emplace_back(form.Name(), topmost);
    auto it = std::find_if(windows_.begin(), windows_.end(),
                           [&](const Window& w) { return w.form == &form; });
    if (it == windows_.end()) return;
    bool wasTopmost = it->topmost;
    it->topmost = topmost;
    // Entering the band puts it in front; leaving it keeps it in front of the
    // normal windows, as the window system does.
    if (topmost != wasTopmost || topmost) raise(form);
}

std::vector<forms::Form*> HeadlessPlatform::zOrder() const {
    std::vector<forms::Form*> order;
    for (bool band : {true, false}) {
        for (const auto& w : windows_) {
            if (w.topmost == band) order.push_back(w.form);
        }
    }
    return order;
}

bool HeadlessPlatform::isTopmost(const forms::Form& form) const {
    for (const auto& w : windows_) {
        if (w.form == &form) return w.topmost;
    }
    return false;
}

void HeadlessPlatform::scheduleTimer(forms::Timer& timer) {
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const ScheduledTimer& t) { return t.timer == &timer; });
    if (timer.Interval() <= 0) {
        if (it != timers_.end() && !it->running) timers_.erase(it);
        if (it != timers_.end() && it->running) it->due = -1;
        return;
    }
    if (it == timers_.end()) {
        timers_.push_back({&timer, now_ + timer.Interval(), false});
    } else {
        it->due = now_ + timer.Interval();
    }
}

void HeadlessPlatform::dropTimers(forms::Form& form) {
    for (auto& t : timers_) {
        if (&t.timer->form() == &form) t.due = -1;
    }
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [](const ScheduledTimer& t) { return t.due < 0 && !t.running; }),
                  timers_.end());
}

// Fires the earliest timer due by `upTo`, if any. A timer whose handler is
// still running is not fired again inside it.
bool HeadlessPlatform::fireOneDueTimer(double upTo) {
    ScheduledTimer* next = nullptr;
    for (auto& t : timers_) {
        if (!t.running && t.due >= 0 && t.due <= upTo && (!next || t.due < next->due)) next = &t;
    }
    if (!next) return false;
    forms::Timer* timer = next->timer;
    if (next->due > now_) now_ = next->due;
    next->due = now_ + timer->Interval();
    next->running = true;
    struct Done {
        HeadlessPlatform& p;
        forms::Timer* timer;
        ~Done() {
            for (auto& t : p.timers_) {
                if (t.timer == timer) t.running = false;
            }
            p.timers_.erase(
                std::remove_if(p.timers_.begin(), p.timers_.end(),
                               [](const ScheduledTimer& t) { return t.due < 0 && !t.running; }),
                p.timers_.end());
        }
    } done{*this, timer};
    timer->fire();
    return true;
}

void HeadlessPlatform::runPosted() {
    auto tasks = std::move(posted_);
    posted_.clear();
    for (auto& task : tasks) task();
}

void HeadlessPlatform::doEvents() {
    if (onDoEvents) onDoEvents();
    runPosted();
    deliverSentKeys();
    // Each timer that is due now gets one tick.
    std::vector<forms::Timer*> fired;
    for (;;) {
        ScheduledTimer* next = nullptr;
        for (auto& t : timers_) {
            bool already = std::find(fired.begin(), fired.end(), t.timer) != fired.end();
            if (!already && !t.running && t.due >= 0 && t.due <= now_ &&
                (!next || t.due < next->due))
                next = &t;
        }
        if (!next) break;
        fired.push_back(next->timer);
        fireOneDueTimer(next->due);
    }
}

void HeadlessPlatform::changeScreens(SizePx primary, std::vector<RectPx> monitors) {
    screen_ = primary;
    extraMonitors_ = std::move(monitors);
    post([this] {
        if (screensChanged_) screensChanged_();
    });
}

void HeadlessPlatform::advance(double milliseconds) {
    const double target = now_ + milliseconds;
    runPosted();
    deliverSentKeys();
    while (fireOneDueTimer(target)) {
        runPosted();
        deliverSentKeys();
    }
    if (now_ < target) now_ = target;
}

}  // namespace platform::headless
