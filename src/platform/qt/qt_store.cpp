// The settings store entry points: one SettingsFile per application name,
// created on first use.
#include "platform/qt/qt_platform.h"

namespace platform::qt {

SettingsFile& QtPlatform::settingsFor(const std::string& app) {
    auto it = settings_.find(app);
    if (it == settings_.end())
        it = settings_.emplace(app, SettingsFile(settingsPathFor(app))).first;
    return it->second;
}

std::string QtPlatform::getSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& fallback) {
    return settingsFor(app).get(section, key, fallback);
}

void QtPlatform::saveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) {
    settingsFor(app).set(section, key, value);
}

std::optional<StoreFailure> QtPlatform::flushSettings() {
    std::optional<StoreFailure> first;
    for (auto& [app, file] : settings_) {
        auto failure = file.flush();
        if (!first) first = std::move(failure);
    }
    return first;
}

std::optional<std::string> QtPlatform::takeKeptStoreCopy() {
    for (auto& [app, file] : settings_) {
        if (auto copy = file.takeKeptCopy()) return copy;
    }
    return std::nullopt;
}

// At the end of the process only what changed is written: a refused second
// start must leave the file of the running one alone.
void QtPlatform::flushDirtySettings() {
    for (auto& [app, file] : settings_) {
        if (file.dirty()) file.flush();
    }
}

}  // namespace platform::qt
