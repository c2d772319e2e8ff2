#include "shell/full_screen_quiet.h"

#include "platform/platform.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace shell {

namespace {

bool covers(const platform::RectPx& outer, const platform::RectPx& inner) {
    return outer.x <= inner.x && outer.y <= inner.y &&
           outer.x + outer.width >= inner.x + inner.width &&
           outer.y + outer.height >= inner.y + inner.height;
}

bool holdsCentre(const platform::RectPx& monitor, const platform::RectPx& window) {
    const int x = window.x + window.width / 2, y = window.y + window.height / 2;
    return monitor.x <= x && x < monitor.x + monitor.width && monitor.y <= y &&
           y < monitor.y + monitor.height;
}

// A maximised window keeps its frame, so its client area never covers the
// monitor (and the desktop's bars stay beside it).
bool windowFills(const platform::FrontWindow& window, const platform::RectPx& monitor) {
    if (window.desktop) return false;
    if (covers(window.client, monitor)) return window.fullScreenState || !window.decorated;
    return window.fullScreenState && holdsCentre(monitor, window.client);
}

}  // namespace

bool FillsMonitor(const platform::Front& front, const platform::RectPx& monitor) {
    using platform::ShellNotice;
    if (front.notice == ShellNotice::Presentation) return true;
    for (const auto& window : front.unmanaged) {
        if (windowFills(window, monitor)) return true;
    }
    if (!front.active) return false;
    const platform::FrontWindow& active = *front.active;
    if (front.notice == ShellNotice::FullScreenProgram && !active.desktop &&
        holdsCentre(monitor, active.client)) {
        return true;
    }
    return windowFills(active, monitor);
}

void FullScreenQuiet::Update() {
    auto& spm = app_.spm();
    if (spm.ShuttingDown) return;
    Follow(spm.Options.isOn(settings::option::kQuietFullScreen));
    const bool quiet = watch_ && FillsMonitor(watch_->front(), spm.CallPointMonitor());
    if (quiet == quiet_) return;
    quiet_ = quiet;
    if (quiet) {
        StepAside();
    } else {
        ComeBack();
    }
}

void FullScreenQuiet::Follow(bool wanted) {
    if (wanted == (watch_ != nullptr)) return;
    if (!wanted) {
        watch_->stop();
        watch_ = nullptr;
        return;
    }
    watch_ = app_.platform().foregroundWatch();
    if (watch_) watch_->start([this] { Update(); });
}

// Hidden, it takes no pointer, no keys and no drag, and sits above nothing;
// its band stays as it was.
void FullScreenQuiet::StepAside() {
    app_.sp().Hide();
}

// Back in its corner, without the keyboard: the user is in another program.
void FullScreenQuiet::ComeBack() {
    app_.spm().PlaceCallPoint(true);
    app_.sp().ShowWithoutActivating();
}

}  // namespace shell
