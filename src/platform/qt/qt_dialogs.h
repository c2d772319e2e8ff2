// Helpers of the modal dialogs that are worth testing on their own.
#pragma once

#include <QString>
#include <string>

namespace platform::qt {

// "desc|pattern|desc|pattern" -> "desc (pattern);;desc (pattern)"; patterns
// separated by ';' become blank-separated, and each also matches in upper
// case, as file names on the classic desktop do. "*.*" is every file. The
// classic programs (*.exe) become this desktop's: kProgramsFilter, which the
// dialog narrows to executable files and .desktop entries. A trailing
// description without a pattern is dropped.
QString qtFileFilter(const std::string& classicFilter);
extern const QString kProgramsFilter;

}  // namespace platform::qt
