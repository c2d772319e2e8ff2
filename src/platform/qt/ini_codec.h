// The text form of the settings file: sections of key=value lines, with an
// escaping that lets any byte string survive a write and a read unchanged.
// Reading is lenient, for files edited by hand or copied from elsewhere.
// Plain C++ so that it is testable without a display.
#pragma once

#include <map>
#include <string>

namespace platform::qt {

using IniSection = std::map<std::string, std::string>;
// Keys above the first section header belong to the section named "".
using IniDocument = std::map<std::string, IniSection>;

// Escapes a key, a value or a section name so that the line parser reads it
// back exactly: backslash, control characters, blanks at either end, the
// characters that would start a comment or a section, and bytes that are not
// valid UTF-8 become \\, \n, \r, \t or \xHH.
std::string escapeIniText(const std::string& text, bool isKey);

// Reverses escapeIniText. Text with a backslash that starts no escape of
// ours, or a Windows path typed as it is (C:\...), is taken as it stands.
std::string unescapeIniText(const std::string& text);

std::string writeIni(const IniDocument& document);

struct IniReadResult {
    IniDocument document;
    // Lines that could not be read (each cost only itself) and section
    // headers with text after them. A key given twice is no fault: the last
    // one counts, as an override appended by hand expects.
    int linesSkipped = 0;
};

// Reads any text: a UTF-8 byte-order mark, comments, LF, CRLF or lone CR
// line ends and keys before the first section are read as such.
IniReadResult readIni(const std::string& text);

}  // namespace platform::qt
