// The menu of extra options: built from the options table, so that a new
// option needs no change here. A check item flips its option at once; a
// command runs. Nothing is written until the next save, as with the
// settings view's own options.
#include <utility>

#include "panel/ranch.h"
#include "platform/platform.h"
#include "platform/popup_menu.h"
#include "settings/extra_options.h"
#include "settings/spm.h"
#include "shell/app.h"

namespace panel {

namespace {

std::vector<platform::MenuItem> menuItems(const settings::OptionValues& values) {
    std::vector<platform::MenuItem> items;
    bool afterCheck = false;
    for (const settings::ExtraOption& row : settings::ExtraOptions()) {
        platform::MenuItem item{row.menuText};
        if (row.kind == settings::OptionKind::Check) {
            item.checkable = true;
            item.checked = values.isOn(row.key);
            afterCheck = true;
        } else {
            // The commands stand apart from the switches.
            item.separatorBefore = std::exchange(afterCheck, false);
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

void Ranch::OpenOptionsMenu(bool atPointer) {
    auto& spm = app_.spm();
    if (spm.ShuttingDown || optionsMenuOpen_) return;
    optionsMenuOpen_ = true;
    const auto chosen = app_.platform().popupMenu().popUp(Sette, atPointer, menuItems(spm.Options));
    optionsMenuOpen_ = false;
    const auto rows = settings::ExtraOptions();
    if (!chosen || *chosen < 0 || std::size_t(*chosen) >= rows.size()) return;
    const settings::ExtraOption& row = rows[std::size_t(*chosen)];
    if (row.kind == settings::OptionKind::Check)
        spm.Options.setOn(row.key, !spm.Options.isOn(row.key));
    if (row.run) row.run(app_);
}

}  // namespace panel
