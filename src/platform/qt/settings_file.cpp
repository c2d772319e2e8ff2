// Reading and atomically replacing the settings file. A file that cannot be
// read or parsed loads as empty so the program starts with its defaults; it
// is kept aside as <file>.bad before the first write replaces it.
#include "platform/qt/settings_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

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

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// mkdir -p, owner-only for the folders it creates.
void makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos) break;
    }
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The temp file of a save: hidden, and marked so plainly that no file of the
// user's own (a backup named <file>.backup or <file>.orig01) can match it.
std::string tempPrefixOf(const std::string& fileName) { return "." + fileName + ".~saving~"; }

// Temp file in the same folder, fsync, rename: a crash leaves the old file
// or the new one, never half of either.
bool replaceAtomically(const std::string& path, const std::string& data) {
    const std::string folder = folderOf(path);
    makeFolders(folder);
    std::string temp = folder + "/" + tempPrefixOf(fileNameOf(path)) + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool isTempSuffix(const std::string& suffix) {
    if (suffix.size() != 6) return false;
    for (char c : suffix) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// A save killed between its temp file and the rename leaves the temp file
// behind; the next good save clears them away. Only one instance runs, so no
// other save can be in flight.
void removeStaleTemps(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = tempPrefixOf(fileNameOf(path));
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) == 0 && isTempSuffix(name.substr(prefix.size()))) {
            ::unlink((folder + "/" + name).c_str());
        }
    }
    ::closedir(dir);
}

}  // namespace

std::string settingsPathFor(const std::string& app) {
    const std::string name = safeFileName(app);
    return configHome() + "/" + name + "/" + name + ".ini";
}

void SettingsFile::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) return;  // first run: no file yet
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    if (in && S_ISREG(info.st_mode)) text << in.rdbuf();
    auto document = (in && S_ISREG(info.st_mode)) ? readIni(text.str()) : std::nullopt;
    if (document) {
        document_ = std::move(*document);
    } else {
        foundCorrupt_ = true;
    }
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

void SettingsFile::keepCorruptCopy() {
    if (!foundCorrupt_) return;
    foundCorrupt_ = false;
    ::rename(path_.c_str(), (path_ + ".bad").c_str());
}

bool SettingsFile::flush() {
    loadOnce();
    keepCorruptCopy();
    if (!replaceAtomically(path_, writeIni(document_))) return false;
    removeStaleTemps(path_);
    dirty_ = false;
    return true;
}

}  // namespace platform::qt
