// The table of extra options and how their values meet the store.
#include "settings/extra_options.h"

#include <stdexcept>

#include "platform/platform.h"
#include "settings/store_format.h"
#include "settings/store_layout.h"
#include "settings/texts.h"
#include "shell/app.h"

namespace settings {

namespace {

// The call point steps aside, or comes back, at once.
void followFullScreen(shell::App& app) {
    app.quiet().Update();
}

constexpr ExtraOption kRows[] = {
    {option::kShowIcons, "1", "ｱｲｺﾝで顔見せ", OptionKind::Check},
    {option::kQuietFullScreen, "1", "全画面の時はおとなしく", OptionKind::Check, followFullScreen},
};

// A check keeps "1" or "0" whatever number was stored; anything else is unreadable.
std::optional<std::string> readable(const ExtraOption& row, const std::string& text) {
    if (row.kind == OptionKind::Check) {
        const auto number = parseStoredNumber(text);
        if (!number) return std::nullopt;
        return *number != 0 ? "1" : "0";
    }
    if (row.accepts && !row.accepts(text)) return std::nullopt;
    return text;
}

}  // namespace

std::span<const ExtraOption> ExtraOptions() {
    return kRows;
}

const ExtraOption& ExtraOptionOf(std::string_view key) {
    for (const ExtraOption& row : kRows) {
        if (row.key && key == row.key) return row;
    }
    throw std::logic_error("no extra option keeps " + std::string(key));
}

void OptionValues::load(platform::Platform& platform) {
    values_.clear();
    for (const ExtraOption& row : kRows) {
        if (!row.key) continue;
        const std::string text =
            platform.getSetting(kAppName, store::kSettingSection, row.key, row.fallback);
        values_[row.key] = readable(row, text).value_or(row.fallback);
    }
}

void OptionValues::save(platform::Platform& platform) const {
    for (const ExtraOption& row : kRows) {
        if (row.key)
            platform.saveSetting(kAppName, store::kSettingSection, row.key, value(row.key));
    }
}

std::string OptionValues::value(std::string_view key) const {
    if (auto it = values_.find(key); it != values_.end()) return it->second;
    return ExtraOptionOf(key).fallback;
}

void OptionValues::set(std::string_view key, std::string value) {
    const ExtraOption& row = ExtraOptionOf(key);
    values_[row.key] = std::move(value);
}

}  // namespace settings
