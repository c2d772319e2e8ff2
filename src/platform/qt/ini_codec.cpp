// Escaping INI codec: the store must keep values with leading blanks, quotes,
// '=', ';', '#', backslashes and newlines byte for byte, which no stock INI
// reader guarantees.
#include "platform/qt/ini_codec.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace platform::qt {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when invalid.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned int codePoint = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    const unsigned int minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < minimum[length] || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

std::string hexEscape(unsigned char c) {
    char buffer[5];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
    return buffer;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isAsciiLetter(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

// Characters that need an escape wherever they stand.
bool alwaysEscaped(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '\\';
}

// Characters that the line structure gives a meaning to in a key.
bool escapedInKey(char c, bool first) {
    return c == '=' || c == ']' || (first && (c == ';' || c == '#' || c == '['));
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string trimBlanks(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Lines end in LF, CRLF or a lone CR (old Mac editors).
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
    }
    return lines;
}

// Index of the first c that is not part of an escape.
std::size_t findUnescaped(const std::string& line, char c) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == c) {
            return i;
        }
    }
    return std::string::npos;
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool startsWithByteOrderMark(const std::string& text, std::size_t i) {
    return text.compare(i, 3, kByteOrderMark) == 0;
}

// "C:\Windows" as typed on Windows: the writer doubles every backslash, so
// a drive letter with a single one is never its work.
bool looksLikeTypedWindowsPath(const std::string& text) {
    return text.size() > 3 && isAsciiLetter(text[0]) && text[1] == ':' && text[2] == '\\' &&
           text[3] != '\\';
}

// A control character in a line was not written by us nor typed in an editor.
bool hasRawControlCharacter(const std::string& line) {
    for (char c : line) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7F) return true;
    }
    return false;
}

std::optional<std::string> unescapeStrictly(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                if (i + 2 >= text.size()) return std::nullopt;
                const int high = hexValue(text[i + 1]);
                const int low = hexValue(text[i + 2]);
                if (high < 0 || low < 0) return std::nullopt;
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

// The section a header line names; false when more than the header stands
// on the line (its name is still taken) or the bracket is not closed.
bool readSectionHeader(const std::string& line, std::string& name) {
    const std::size_t close = findUnescaped(line, ']');
    name = unescapeIniText(
        trimBlanks(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
    if (close == std::string::npos) return false;
    const std::string rest = trimBlanks(line.substr(close + 1));
    return rest.empty() || rest[0] == ';' || rest[0] == '#';
}

}  // namespace

std::string escapeIniText(const std::string& text, bool isKey) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        const bool atEdge = i == 0 || i + 1 == text.size();
        if (i == 0 && isKey && startsWithByteOrderMark(text, 0)) {
            out += hexEscape(u);  // a key on the first line would lose it as a mark
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (alwaysEscaped(u) || (atEdge && c == ' ') || (isKey && escapedInKey(c, i == 0))) {
            out += hexEscape(u);
        } else if (u >= 0x80) {
            const std::size_t length = utf8SequenceLength(text, i);
            if (length == 0) {
                out += hexEscape(u);
            } else {
                out.append(text, i, length);
                i += length;
                continue;
            }
        } else {
            out += c;
        }
        ++i;
    }
    // "C:" and an escape must not read back as a path typed with one backslash.
    if (looksLikeTypedWindowsPath(out)) out.replace(1, 1, hexEscape(':'));
    return out;
}

std::string unescapeIniText(const std::string& text) {
    if (looksLikeTypedWindowsPath(text)) return text;
    return unescapeStrictly(text).value_or(text);
}

std::string writeIni(const IniDocument& document) {
    std::string out;
    for (const auto& [section, keys] : document) {
        if (!out.empty()) out += '\n';
        // The nameless section's keys stand above the first header.
        if (!section.empty() || keys.empty()) out += '[' + escapeIniText(section, true) + "]\n";
        for (const auto& [key, value] : keys) {
            out += escapeIniText(key, true) + '=' + escapeIniText(value, false) + '\n';
        }
    }
    return out;
}

IniReadResult readIni(const std::string& text) {
    IniReadResult result;
    const std::size_t skip = startsWithByteOrderMark(text, 0) ? 3 : 0;
    std::string section;
    for (const std::string& rawLine : splitLines(text.substr(skip))) {
        const std::string line = trimBlanks(rawLine);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (hasRawControlCharacter(line)) {
            ++result.linesSkipped;
            continue;
        }
        if (line[0] == '[') {
            if (!readSectionHeader(line, section)) ++result.linesSkipped;
            result.document[section];
            continue;
        }
        const std::size_t separator = findUnescaped(line, '=');
        if (separator == std::string::npos) {
            ++result.linesSkipped;
            continue;
        }
        result.document[section][unescapeIniText(trimBlanks(line.substr(0, separator)))] =
            unescapeIniText(trimBlanks(line.substr(separator + 1)));
    }
    return result;
}

}  // namespace platform::qt
