// Quiet while a full-screen program runs: while another program's window
// fills the call point's monitor, the call point steps out of the way, so
// that a pointer thrown into the corner neither opens the panel nor takes
// that program's keyboard, and it comes back to its corner when the window
// is gone. Requests made on purpose still open the panel.
#pragma once

#include "platform/foreground_watch.h"

namespace shell {

class App;

// Whether what is in front fills that monitor: a window in its full-screen
// state on it, or an undecorated one covering it, never the desktop's own;
// the shell's word that a full-screen program runs, for the active window's
// monitor; presentation settings, for every monitor.
bool FillsMonitor(const platform::Front& front, const platform::RectPx& monitor);

class FullScreenQuiet {
  public:
    explicit FullScreenQuiet(App& app) : app_(app) {}

    // Follows the desktop while the option is on (first called after the
    // splash, in idle time), reads what is in front, and steps aside or
    // comes back.
    void Update();
    bool Quiet() const { return quiet_; }

  private:
    void Follow(bool wanted);
    void StepAside();
    void ComeBack();

    App& app_;
    platform::ForegroundWatch* watch_ = nullptr;  // while following
    bool quiet_ = false;
};

}  // namespace shell
