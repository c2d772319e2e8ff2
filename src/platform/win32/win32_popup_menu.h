// The popup menu on Windows: a menu tracked by the system until a choice.
#pragma once

#include "platform/popup_menu.h"

namespace platform::win32 {

class Win32Platform;

class Win32PopupMenu : public PopupMenu {
  public:
    explicit Win32PopupMenu(Win32Platform& platform) : platform_(platform) {}
    std::optional<int> popUp(forms::Control& anchor, bool atPointer,
                             const std::vector<MenuItem>& items) override;

  private:
    Win32Platform& platform_;
};

}  // namespace platform::win32
