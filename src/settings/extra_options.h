// The options beyond the classic settings: one row each in one table, kept
// under keys of their own in the settings section (older versions ignore
// them) and reached through the menu of extra options on 設. A new option
// is one new row; the menu and the store follow the table.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

namespace platform {
class Platform;
}
namespace shell {
class App;
}

namespace settings {

enum class OptionKind {
    Check,    // a switch, stored as "1" or "0"; the item shows its check mark
    Command,  // an action; its row may keep a value of its own (a key combination)
};

struct ExtraOption {
    const char* key;       // under "Hiyokorapper Setting"; null for a command that keeps nothing
    const char* fallback;  // the value while the key is missing or unreadable
    const char* menuText;  // the item, in the program's own voice
    OptionKind kind;
    // A check: what follows a change (null: nothing at once). A command: what it does.
    void (*run)(shell::App& app) = nullptr;
    // Whether a stored text is a value of this row (null: any text). A
    // check takes any stored number, non-zero being on.
    bool (*accepts)(const std::string& text) = nullptr;
};

// Store keys of the rows that code reads.
namespace option {
inline constexpr const char* kShowIcons = "ShowIcons";
inline constexpr const char* kQuietFullScreen = "QuietFullScreen";
}  // namespace option

// Every row, in menu order.
std::span<const ExtraOption> ExtraOptions();
// The row of a key; a key of no row is a fault of the program and throws.
const ExtraOption& ExtraOptionOf(std::string_view key);

// The values of the rows that keep one, by key.
class OptionValues {
  public:
    // Every row from the store; a missing or unreadable value is the row's default.
    void load(platform::Platform& platform);
    void save(platform::Platform& platform) const;
    std::string value(std::string_view key) const;
    bool isOn(std::string_view key) const { return value(key) == "1"; }
    void set(std::string_view key, std::string value);
    void setOn(std::string_view key, bool on) { set(key, on ? "1" : "0"); }

  private:
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace settings
