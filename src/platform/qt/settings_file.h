// The settings store on Linux: one INI file per application under the XDG
// config folder, read once on first use and replaced atomically on a flush.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/qt/ini_codec.h"

namespace platform::qt {

// $XDG_CONFIG_HOME/<app>/<app>.ini, ~/.config when the variable is unset or
// not absolute; an application name that is no plain file name is sanitised.
std::string settingsPathFor(const std::string& app);

class SettingsFile {
  public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    std::string get(const std::string& section, const std::string& key,
                    const std::string& fallback);
    void set(const std::string& section, const std::string& key, const std::string& value);
    // Writes the whole file; what kept it from being written when it could
    // not be (nothing is lost in memory, the next flush tries again).
    std::optional<StoreFailure> flush();
    bool dirty() const { return dirty_; }
    const std::string& path() const { return path_; }
    // Once: where the file as it was found was kept, when it could not be
    // read whole.
    std::optional<std::string> takeKeptCopy();

  private:
    void loadOnce();
    std::optional<StoreFailure> keepFoundFileAside();

    std::string path_;
    IniDocument document_;
    bool loaded_ = false;
    bool dirty_ = false;
    // The file found was not read whole: it is kept as it was, under a new
    // name, before anything replaces it.
    bool mustKeepFoundFile_ = false;
    std::optional<std::string> foundText_;
    std::optional<std::string> keptCopy_;
    bool keptCopyTold_ = false;
};

}  // namespace platform::qt
