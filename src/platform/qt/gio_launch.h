// Starting what a link target names the way the desktop does, through GIO:
// the application of a .desktop entry, or the default handler of a file,
// folder or URL. Free of Qt headers: GIO's and Qt's macros clash.
#pragma once

#include <string>

namespace platform::qt {

enum class LaunchOutcome { Started, Missing, NoHandler, Failed };

// Starts the entry's application; in the folder when one is given, else
// where the entry says (its Path key).
LaunchOutcome launchDesktopEntry(const std::string& entryPath, const std::string& folder);
// Opens an absolute path or a URI with its default handler, in the folder.
LaunchOutcome openWithDefaultHandler(const std::string& target, bool isUri,
                                     const std::string& folder);

}  // namespace platform::qt
