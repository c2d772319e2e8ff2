#include "platform/headless/headless_popup_menu.h"

#include "forms/control.h"

namespace platform::headless {

std::optional<bool> MenuShown::checked(const std::string& text) const {
    for (const MenuItem& item : items) {
        if (item.text == text) return item.checkable && item.checked;
    }
    return std::nullopt;
}

std::optional<int> FakePopupMenu::popUp(forms::Control& anchor, bool atPointer,
                                        const std::vector<MenuItem>& items) {
    shown.push_back({anchor.qualifiedName(), atPointer, items});
    if (onShow) onShow(shown.back());
    if (choices.empty()) return std::nullopt;
    const auto choice = choices.front();
    choices.pop_front();
    if (!choice) return std::nullopt;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].text == *choice) return int(i);
    }
    return std::nullopt;
}

}  // namespace platform::headless
