// Helpers of the modal dialogs that are worth testing on their own.
#pragma once

#include <QString>
#include <string>

namespace platform::qt {

// "desc|pattern|desc|pattern" -> "desc (pattern);;desc (pattern)"; patterns
// separated by ';' become blank-separated, and each also matches in upper
// case, as file names on the classic desktop do. A trailing description
// without a pattern is dropped.
QString qtFileFilter(const std::string& classicFilter);

}  // namespace platform::qt
