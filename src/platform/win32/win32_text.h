// Text at the Windows boundary: the core speaks UTF-8, the wide API UTF-16.
// Kept free of windows.h so the conversions are tested on any machine.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// UTF-8 to UTF-16. Bytes that are not UTF-8 become U+FFFD; a surrogate that
// came in from Windows unpaired (see toUtf8) goes back out as that same unit,
// so a file name the system gave us always reaches the shell unchanged.
std::u16string toUtf16(std::string_view utf8);

// UTF-16 to UTF-8. An unpaired surrogate is kept as its own three-byte form
// instead of being replaced, so no path is lost on the way through the core.
std::string toUtf8(std::u16string_view utf16);

// "description|pattern|description|pattern" as the file dialog wants it:
// each piece ended by a NUL and the whole list by a second NUL.
std::u16string fileFilterList(std::string_view barSeparated);

}  // namespace platform::win32
