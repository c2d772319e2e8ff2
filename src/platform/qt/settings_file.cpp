// Reading and atomically replacing the settings file. Reading is lenient: a
// line that cannot be read costs only that line, a file that cannot be read
// at all loads as empty. Either way the file found is kept as it was under
// a new name as soon as it is loaded, and a save that cannot keep it does
// not replace it.
#include "platform/qt/settings_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

// Far more than 100 entries can ever take: a larger file is not the store
// and is not read into memory, only kept aside.
constexpr std::size_t kLargestStore = 64u << 20;

// The system's words for an errno, in the user's language where the C
// library has them.
std::string reasonOf(int error) {
    return std::strerror(error);
}

}  // namespace

std::string settingsPathFor(const std::string& app) {
    const std::string name = safeFileName(app);
    return configHome() + "/" + name + "/" + name + ".ini";
}

void SettingsFile::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    FileRead found = readWholeFile(path_, kLargestStore);
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

// Nothing when nothing (more) needs keeping; a failure is tried again by
// the next flush, which does not replace the file meanwhile.
std::optional<StoreFailure> SettingsFile::keepFoundFileAside() {
    if (!mustKeepFoundFile_) return std::nullopt;
    const std::string found = writeTargetOf(path_);
    keptCopy_ = keepUnderNewName(found, foundText_);
    if (!keptCopy_) {
        const int error = errno;
        return StoreFailure{found,
                            "読めなかった元のファイルを別名で取っておけません: " + reasonOf(error)};
    }
    mustKeepFoundFile_ = false;
    foundText_.reset();
    return std::nullopt;
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

std::optional<StoreFailure> SettingsFile::flush() {
    loadOnce();
    if (auto failure = keepFoundFileAside()) return failure;
    const std::string target = writeTargetOf(path_);
    if (const int error = replaceAtomically(target, writeIni(document_))) {
        return StoreFailure{target, reasonOf(error)};
    }
    removeStaleTemps(target);
    dirty_ = false;
    return std::nullopt;
}

}  // namespace platform::qt
