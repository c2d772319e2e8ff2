// The text form of the settings file: sections of key=value lines, with an
// escaping that lets any byte string survive a write and a read unchanged.
// Plain C++ so that it is testable without a display.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace platform::qt {

using IniSection = std::map<std::string, std::string>;
using IniDocument = std::map<std::string, IniSection>;

// Escapes a key, a value or a section name so that the line parser reads it
// back exactly: backslash, control characters, blanks at either end, the
// characters that would start a comment or a section, and bytes that are not
// valid UTF-8 become \\, \n, \r, \t or \xHH.
std::string escapeIniText(const std::string& text, bool isKey);

// Reverses escapeIniText; nullopt for a malformed escape.
std::optional<std::string> unescapeIniText(const std::string& text);

std::string writeIni(const IniDocument& document);

// nullopt when the text is not a file this codec could have written (a line
// that is neither blank, comment, section nor key=value, or a bad escape).
std::optional<IniDocument> readIni(const std::string& text);

}  // namespace platform::qt
