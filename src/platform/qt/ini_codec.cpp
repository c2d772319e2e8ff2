// Escaping INI codec: the store must keep values with leading blanks, quotes,
// '=', ';', '#', backslashes and newlines byte for byte, which no stock INI
// reader guarantees.
#include "platform/qt/ini_codec.h"

#include <cstdio>
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

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Characters that need an escape wherever they stand.
bool alwaysEscaped(unsigned char c) { return c < 0x20 || c == 0x7F || c == '\\'; }

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

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();  // edited on Windows
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// Index of the first '=' that is not part of an escape.
std::size_t findSeparator(const std::string& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == '=') {
            return i;
        }
    }
    return std::string::npos;
}

}  // namespace

std::string escapeIniText(const std::string& text, bool isKey) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        const bool atEdge = i == 0 || i + 1 == text.size();
        if (c == '\\') {
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
    return out;
}

std::optional<std::string> unescapeIniText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\': out += '\\'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                if (i + 2 >= text.size()) return std::nullopt;
                const int high = hexValue(text[i + 1]);
                const int low = hexValue(text[i + 2]);
                if (high < 0 || low < 0) return std::nullopt;
                out += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default: return std::nullopt;
        }
    }
    return out;
}

std::string writeIni(const IniDocument& document) {
    std::string out;
    for (const auto& [section, keys] : document) {
        if (!out.empty()) out += '\n';
        out += '[' + escapeIniText(section, true) + "]\n";
        for (const auto& [key, value] : keys) {
            out += escapeIniText(key, true) + '=' + escapeIniText(value, false) + '\n';
        }
    }
    return out;
}

std::optional<IniDocument> readIni(const std::string& text) {
    IniDocument document;
    IniSection* current = nullptr;
    for (const std::string& rawLine : splitLines(text)) {
        const std::string line = trimBlanks(rawLine);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']') return std::nullopt;
            auto name = unescapeIniText(line.substr(1, line.size() - 2));
            if (!name) return std::nullopt;
            current = &document[*name];
            continue;
        }
        const std::size_t separator = findSeparator(line);
        if (separator == std::string::npos || !current) return std::nullopt;
        auto key = unescapeIniText(trimBlanks(line.substr(0, separator)));
        auto value = unescapeIniText(trimBlanks(line.substr(separator + 1)));
        if (!key || !value) return std::nullopt;
        (*current)[*key] = *value;
    }
    return document;
}

}  // namespace platform::qt
