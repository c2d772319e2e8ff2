// Where each value lives in the settings store, and its default.
#pragma once

#include <string>

namespace settings::store {

inline constexpr const char* kSettingSection = "Hiyokorapper Setting";
inline constexpr const char* kEntrySection = "User Setting";

struct Key {
    const char* name;
    const char* fallback;
};

inline constexpr Key kVersion{"Version", ""};
inline constexpr Key kPanelLeft{"SUB_LEFT", "-1"};
inline constexpr Key kPanelTop{"SUB_TOP", "-1"};
inline constexpr Key kDialogLeft{"TORO_LEFT", "-1"};
inline constexpr Key kDialogTop{"TORO_TOP", "-1"};
inline constexpr Key kMainPlace{"MAIN_PLACE", "1"};
inline constexpr Key kButtonCaption{"Button_Caption", "0"};
inline constexpr Key kFaster{"Faster", "7"};
inline constexpr Key kMainColor{"MAIN_COLOR", "16777215"};

// "Exe37", "APName05", "APPath99": column name, box digit, slot digit.
inline std::string entryKey(const char* column, int index) {
    std::string key(column);
    key += static_cast<char>('0' + index / 10);
    key += static_cast<char>('0' + index % 10);
    return key;
}

}  // namespace settings::store
