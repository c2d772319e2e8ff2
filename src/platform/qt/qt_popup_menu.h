// The popup menu on Qt: a QMenu beside the control, waited for in its own
// event loop.
#pragma once

#include "platform/popup_menu.h"

namespace platform::qt {

class QtPlatform;

class QtPopupMenu : public PopupMenu {
  public:
    explicit QtPopupMenu(QtPlatform& platform) : platform_(platform) {}
    std::optional<int> popUp(forms::Control& anchor, bool atPointer,
                             const std::vector<MenuItem>& items) override;

  private:
    QtPlatform& platform_;
};

}  // namespace platform::qt
