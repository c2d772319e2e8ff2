// The headless popup menu: records every menu shown and answers with the
// item a test chose by its text; with no choice queued the menu is dismissed.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/popup_menu.h"

namespace platform::headless {

struct MenuShown {
    std::string anchor;  // the control's qualified name
    bool atPointer;
    std::vector<MenuItem> items;
    // The item's check mark as shown, or nullopt for an item not in the menu.
    std::optional<bool> checked(const std::string& text) const;
};

class FakePopupMenu : public PopupMenu {
  public:
    std::optional<int> popUp(forms::Control& anchor, bool atPointer,
                             const std::vector<MenuItem>& items) override;

    // The text of the item each next menu answers with (nullopt: dismissed).
    std::deque<std::optional<std::string>> choices;
    std::vector<MenuShown> shown;
    // Runs while the menu is open, before its answer.
    std::function<void(const MenuShown&)> onShow;
};

}  // namespace platform::headless
