// Reading and atomically replacing the settings file. Reading is lenient: a
// line that cannot be read costs only that line, a file that cannot be read
// at all loads as empty. Either way the file found is kept as it was under
// a new name as soon as it is loaded, and a save that cannot keep it does
// not replace it.
#include "platform/qt/settings_file.h"

#include <cstdlib>

#include "platform/qt/safe_files.h"

namespace platform::qt {

namespace {

std::string configHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && home[0] ? home : "/tmp") + "/.config";
}

std::string safeFileName(const std::string& name) {
    std::string out;
    for (char c : name) out += (c == '/' || c == '\0') ? '_' : c;
    if (out.empty() || out == "." || out == "..") out = "_" + out;
    return out;
}

}  // namespace

std::string settingsPathFor(const std::string& app) {
    const std::string name = safeFileName(app);
    return configHome() + "/" + name + "/" + name + ".ini";
}

void SettingsFile::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    FileRead found = readWholeFile(path_);
    if (!found.exists) return;
    if (found.text) {
        IniReadResult read = readIni(*found.text);
        document_ = std::move(read.document);
        mustKeepFoundFile_ = read.linesSkipped > 0;
        foundText_ = std::move(found.text);
    } else {
        mustKeepFoundFile_ = true;
    }
    keepFoundFileAside();
}

// True when nothing (more) needs keeping; a failure is tried again by the
// next flush.
bool SettingsFile::keepFoundFileAside() {
    if (!mustKeepFoundFile_) return true;
    keptCopy_ = keepUnderNewName(path_, foundText_);
    if (!keptCopy_) return false;
    mustKeepFoundFile_ = false;
    foundText_.reset();
    return true;
}

std::optional<std::string> SettingsFile::takeKeptCopy() {
    loadOnce();
    if (!keptCopy_ || keptCopyTold_) return std::nullopt;
    keptCopyTold_ = true;
    return keptCopy_;
}

std::string SettingsFile::get(const std::string& section, const std::string& key,
                              const std::string& fallback) {
    loadOnce();
    auto s = document_.find(section);
    if (s == document_.end()) return fallback;
    auto k = s->second.find(key);
    return k == s->second.end() ? fallback : k->second;
}

void SettingsFile::set(const std::string& section, const std::string& key,
                       const std::string& value) {
    loadOnce();
    document_[section][key] = value;
    dirty_ = true;
}

bool SettingsFile::flush() {
    loadOnce();
    if (!keepFoundFileAside()) return false;
    if (replaceAtomically(path_, writeIni(document_)) != 0) return false;
    removeStaleTemps(path_);
    dirty_ = false;
    return true;
}

}  // namespace platform::qt
