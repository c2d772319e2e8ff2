// What another program has in front of the desktop, for the launcher to keep
// quiet while a full-screen program runs. A backend only reports what the
// desktop says; whether that fills the call point's monitor is the core's
// decision, so every desktop follows one rule.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace platform {

// A window of another program, in the model's pixels.
struct FrontWindow {
    RectPx client;                 // its client area on the desktop
    bool fullScreenState = false;  // the window manager has it in its full-screen state
    bool decorated = true;         // a frame or title bar of its own
    bool desktop = false;          // the desktop's own window (wallpaper, icons) or a shell bar
};

// The shell's own word on the user's state, where it gives one (Windows).
enum class ShellNotice {
    None,
    FullScreenProgram,  // a full-screen (exclusive) program or the shell's busy state
    Presentation,       // the user turned presentation settings on
};

struct Front {
    // The active window, when it belongs to another program.
    std::optional<FrontWindow> active;
    // Windows that lie above every managed one whatever is active (games
    // that bypass the X11 window manager).
    std::vector<FrontWindow> unmanaged;
    ShellNotice notice = ShellNotice::None;
};

class ForegroundWatch {
  public:
    virtual ~ForegroundWatch() = default;
    // Starts following the desktop: `changed` runs on the event loop after
    // what is in front may have changed. One handler; idempotent.
    virtual void start(std::function<void()> changed) = 0;
    virtual void stop() = 0;
    // What is in front now. Cheap: it is read at every tick of the call point.
    virtual Front front() = 0;
};

}  // namespace platform
