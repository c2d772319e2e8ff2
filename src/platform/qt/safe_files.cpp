// Atomic replacement and kept copies of the settings file. Everything here
// works on names in one folder, so a rename never crosses a file system.
#include "platform/qt/safe_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>

namespace platform::qt {

namespace {

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes and syncs a file that must not exist yet; 0 or an errno.
int writeNewFile(const std::string& path, const std::string& data, int fd) {
    int error = writeAll(fd, data) && ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) ::unlink(path.c_str());
    return error;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The temp file of a save: hidden, and marked so plainly that no file of the
// user's own (a backup named <file>.backup or <file>.orig01) can match it.
std::string tempPrefixOf(const std::string& fileName) {
    return "." + fileName + ".~saving~";
}

bool isTempSuffix(const std::string& suffix) {
    if (suffix.size() != 6) return false;
    for (char c : suffix) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

std::string copyNameBase(const std::string& path) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return path + ".bad-" + stamp;
}

// Moves path to name unless name exists; 0 or an errno.
int moveAsideWithoutReplacing(const std::string& path, const std::string& name) {
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without the flag: look first, a race nobody else runs.
    struct stat info {};
    if (::lstat(name.c_str(), &info) == 0) return EEXIST;
    return ::rename(path.c_str(), name.c_str()) == 0 ? 0 : errno;
}

// One attempt at a kept copy under name; 0 or an errno (EEXIST: try another).
int keepAs(const std::string& path, const std::string& name,
           const std::optional<std::string>& contents) {
    if (::link(path.c_str(), name.c_str()) == 0) return 0;
    if (errno == EEXIST) return EEXIST;
    if (!contents) return moveAsideWithoutReplacing(path, name);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    return writeNewFile(name, *contents, fd);
}

}  // namespace

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

void makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos) break;
    }
}

// Never blocks: a FIFO, a device or a socket in place of the file is no
// file to read, and neither is one far larger than any store.
FileRead readWholeFile(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {};  // first run: no file yet
        return {true, std::nullopt};
    }
    FileRead result{true, std::nullopt};
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uintmax_t>(info.st_size) <= maxBytes) {
        std::string text;
        char buffer[65536];
        ssize_t n;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
            if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
            if (text.size() > maxBytes) break;  // grew while we read
        }
        if (n == 0 && text.size() <= maxBytes) result.text = std::move(text);
    }
    ::close(fd);
    return result;
}

std::string writeTargetOf(const std::string& path) {
    std::string current = path;
    struct stat info {};
    for (int hop = 0; hop < 40 && ::lstat(current.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
         ++hop) {
        std::string target(static_cast<std::size_t>(info.st_size) + 256, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) == target.size()) return path;
        target.resize(static_cast<std::size_t>(length));
        current = target[0] == '/' ? target : folderOf(current) + "/" + target;
    }
    if (::lstat(current.c_str(), &info) != 0) return errno == ENOENT ? current : path;
    return S_ISREG(info.st_mode) ? current : path;
}

int replaceAtomically(const std::string& path, const std::string& data) {
    const std::string folder = folderOf(path);
    makeFolders(folder);
    std::string temp = folder + "/" + tempPrefixOf(fileNameOf(path)) + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat replaced {};
    if (::stat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
        ::fchmod(fd, replaced.st_mode & 07777);
    }
    if (const int error = writeNewFile(temp, data, fd)) return error;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    syncFolder(folder);
    return 0;
}

// Only one instance runs, so no other save can be in flight.
void removeStaleTemps(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string prefix = tempPrefixOf(fileNameOf(path));
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        const bool ours = name.compare(0, prefix.size(), prefix) == 0;
        if (ours && isTempSuffix(name.substr(prefix.size()))) {
            ::unlink((folder + "/" + name).c_str());
        }
    }
    ::closedir(dir);
}

std::optional<std::string> keepUnderNewName(const std::string& path,
                                            const std::optional<std::string>& contents) {
    const std::string base = copyNameBase(path);
    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? base : base + "-" + std::to_string(n);
        const int error = keepAs(path, name, contents);
        if (error == 0) {
            syncFolder(folderOf(path));
            return name;
        }
        if (error != EEXIST) {
            errno = error;
            return std::nullopt;
        }
    }
    errno = EEXIST;
    return std::nullopt;
}

}  // namespace platform::qt
