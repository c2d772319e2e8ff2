// File operations for a store that must never lose an entry: reading a
// whole file, replacing one atomically, and keeping one aside under a name
// that no earlier copy has. POSIX only, no Qt, so tests need no display.
#pragma once

#include <optional>
#include <string>

namespace platform::qt {

std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);

// mkdir -p, owner-only for the folders it creates.
void makeFolders(const std::string& folder);

struct FileRead {
    bool exists = false;              // something stands at the path
    std::optional<std::string> text;  // its bytes, when it could be read whole
};
// Reads only a regular file of at most maxBytes, and never waits.
FileRead readWholeFile(const std::string& path, std::size_t maxBytes);

// Where a save writes: through a symbolic link (a store kept with the
// user's dotfiles) to the regular file it names, or to the file it names
// that is not there yet; the path itself when it is no link, or a link to
// something that is no regular file.
std::string writeTargetOf(const std::string& path);

// Temp file in the same folder, fsync, rename; 0 or the errno of the step
// that failed. A file that is replaced keeps its permissions.
int replaceAtomically(const std::string& path, const std::string& data);

// Clears the temp files that saves killed before their rename left behind.
void removeStaleTemps(const std::string& path);

// Gives the file at path a second name, <file>.bad-<date>-<time> (then -2,
// -3, ...), never one that exists. A hard link keeps the file itself as it
// was and where it was; where none can be made, a regular file's contents
// (when known) are copied, anything else is moved aside. nullopt with errno
// set when none of that worked.
std::optional<std::string> keepUnderNewName(const std::string& path,
                                            const std::optional<std::string>& contents);

}  // namespace platform::qt
