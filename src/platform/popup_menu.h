// A popup menu of the desktop, shown beside a control and waited for: the
// menu of extra options opens through it. A service of its own beside
// Platform, so that Platform does not grow with every addition.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace forms {
class Control;
}

namespace platform {

struct MenuItem {
    std::string text;
    bool checkable = false;  // a switch: shows a check mark when checked
    bool checked = false;
    bool separatorBefore = false;
};

class PopupMenu {
  public:
    virtual ~PopupMenu() = default;
    // Shows the items at the pointer (a right-click) or under the control (a
    // key) and returns once the user chose one (its index) or dismissed the
    // menu (nullopt). Events go on meanwhile, as in a message box.
    virtual std::optional<int> popUp(forms::Control& anchor, bool atPointer,
                                     const std::vector<MenuItem>& items) = 0;
};

}  // namespace platform
