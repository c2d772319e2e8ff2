// What a file, folder or shortcut dragged in from another program makes of
// an entry: the three texts the registration dialog shows for it.
#pragma once

#include <string>

#include "forms/types.h"

namespace dialogs {

struct EntryTexts {
    std::string APName;  // title
    std::string Exe;     // link target
    std::string APPath;  // working folder
};

// Title: the name without its extension (a folder's whole name; a desktop
// entry's own name, Japanese when it has one); link target: the path;
// working folder: the folder it lies in, with its trailing separator.
EntryTexts EntryFromDroppedFile(const forms::DroppedFile& file);

}  // namespace dialogs
