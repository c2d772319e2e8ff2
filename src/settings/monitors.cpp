// The desktop's monitors: which one holds the call point's corner, centring
// on it, windows brought back from monitors that went away, and following
// the screens while running. One monitor gives the classic numbers exactly.
#include <algorithm>
#include <array>

#include "dialogs/toro.h"
#include "forms/form.h"
#include "forms/numeric.h"
#include "panel/ranch.h"
#include "settings/spm.h"
#include "shell/app.h"
#include "shell/sp.h"

namespace settings {

namespace {

constexpr double kTw = forms::kTwipsPerPixel;

bool isRightCorner(std::int32_t place) {
    return place == 1 || place == 3;
}
bool isBottomCorner(std::int32_t place) {
    return place == 2 || place == 3;
}

int rightEdge(const platform::RectPx& m) {
    return m.x + m.width;
}
int bottomEdge(const platform::RectPx& m) {
    return m.y + m.height;
}

// The corner of the whole desktop is where a thrown pointer stops: among the
// monitors furthest out sideways, the one furthest out vertically.
const platform::RectPx& cornerMonitor(const std::vector<platform::RectPx>& monitors,
                                      std::int32_t place) {
    const bool right = isRightCorner(place), bottom = isBottomCorner(place);
    auto sideways = [right](const platform::RectPx& m) { return right ? rightEdge(m) : -m.x; };
    auto vertical = [bottom](const platform::RectPx& m) { return bottom ? bottomEdge(m) : -m.y; };
    const platform::RectPx* best = &monitors.front();
    for (const platform::RectPx& m : monitors) {
        if (sideways(m) > sideways(*best) ||
            (sideways(m) == sideways(*best) && vertical(m) > vertical(*best))) {
            best = &m;
        }
    }
    return *best;
}

bool holds(const platform::RectPx& m, double leftTw, double topTw) {
    return m.x * kTw <= leftTw && leftTw < rightEdge(m) * kTw && m.y * kTw <= topTw &&
           topTw < bottomEdge(m) * kTw;
}

}  // namespace

void Spm::MeasureScreen() {
    auto& p = app.platform();
    const platform::SizePx screen = p.screenSize();
    ScreenWidthTw = forms::roundToInt32(screen.width * kTw);
    ScreenHeightTw = forms::roundToInt32(screen.height * kTw);
    Monitors = p.monitors();
}

std::optional<Spm::PointTw> Spm::CornerOf(std::int32_t place) const {
    if (place < 0 || place > 3) return std::nullopt;
    const bool right = isRightCorner(place), bottom = isBottomCorner(place);
    if (Monitors.size() <= 1) {
        return PointTw{right ? ScreenWidthTw - 15.0 : 0.0, bottom ? ScreenHeightTw - 15.0 : 0.0};
    }
    const platform::RectPx& m = cornerMonitor(Monitors, place);
    return PointTw{right ? rightEdge(m) * kTw - 15 : m.x * kTw,
                   bottom ? bottomEdge(m) * kTw - 15 : m.y * kTw};
}

namespace {

// The call point's monitor: its corner's, or for no corner the one it stands
// on, else the primary.
platform::RectPx callPointMonitor(const Spm& spm, std::int32_t place) {
    const auto& monitors = spm.Monitors;
    if (auto corner = spm.CornerOf(place)) {
        for (const platform::RectPx& m : monitors) {
            if (holds(m, corner->left, corner->top)) return m;
        }
    }
    shell::Sp* sp = spm.app.spInstance();
    for (const platform::RectPx& m : monitors) {
        if (sp && holds(m, sp->Left(), sp->Top())) return m;
    }
    return monitors.front();
}

}  // namespace

platform::RectPx Spm::CallPointMonitor() const {
    if (Monitors.empty()) {
        return {0, 0, forms::roundToInt32(ScreenWidthTw / kTw),
                forms::roundToInt32(ScreenHeightTw / kTw)};
    }
    return callPointMonitor(*this, PlaceInUse());
}

std::int32_t Spm::CentredLeft(double width, std::int32_t place) const {
    if (Monitors.size() <= 1) return forms::roundToInt32((ScreenWidthTw - width) / 2);
    const platform::RectPx m = callPointMonitor(*this, place);
    return forms::roundToInt32(m.x * kTw + (m.width * kTw - width) / 2);
}

std::int32_t Spm::CentredTop(double height, std::int32_t place) const {
    if (Monitors.size() <= 1) return forms::roundToInt32((ScreenHeightTw - height) / 2);
    const platform::RectPx m = callPointMonitor(*this, place);
    return forms::roundToInt32(m.y * kTw + (m.height * kTw - height) / 2);
}

// The title bar is the frame's top band: its height less the bottom border,
// which is as wide as a side border. A frameless window is all title bar.
bool Spm::TitleBarOnScreen(const forms::Form& window, double left, double top) {
    const platform::SizeTw frame = app.platform().nonClientSize(window.style().frame);
    const double band = frame.height > 0 ? frame.height - frame.width / 2 : window.Height();
    const double right = left + window.Width(), bottom = top + band;
    return std::any_of(Monitors.begin(), Monitors.end(), [&](const platform::RectPx& m) {
        return left < rightEdge(m) * kTw && right > m.x * kTw && top < bottomEdge(m) * kTw &&
               bottom > m.y * kTw;
    });
}

void Spm::BringBackIfLost(forms::Form& window) {
    if (ShuttingDown || Monitors.empty()) return;
    if (TitleBarOnScreen(window, window.Left(), window.Top())) return;
    window.Move(CentredLeft(window.Width(), MainPlace), CentredTop(window.Height(), MainPlace),
                window.Width(), window.Height());
}

// The call point goes into its new corner at once, not at the next tick, and
// a window left on a monitor that went away comes back. Hidden windows are
// looked at when next shown; the store keeps its numbers until a save.
void Spm::ScreensChanged() {
    MeasureScreen();
    if (ShuttingDown) return;
    PlaceCallPoint(true);
    CornerCheckDue = true;  // at the next tick: other monitors, other bars
    const std::array<forms::Form*, 2> windows{app.ranchInstance(), app.toroInstance()};
    for (forms::Form* window : windows) {
        if (window && window->Visible()) BringBackIfLost(*window);
    }
}

}  // namespace settings
