// UTF-8 <-> UTF-16 for the wide Windows calls, written out by hand so that
// unpaired surrogates survive the round trip (what the system calls do not).
#include "platform/win32/win32_text.h"

namespace platform::win32 {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Decodes one sequence at `i`; returns the code point and advances `i`.
// Overlong forms, values past U+10FFFF and truncated sequences are invalid;
// three-byte surrogates are accepted on purpose (see toUtf16).
char32_t decodeOne(std::string_view s, std::size_t& i, bool& valid) {
    const auto lead = static_cast<unsigned char>(s[i]);
    valid = true;
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        valid = false;
        return 0;
    }
    if (i + static_cast<std::size_t>(length) > s.size()) {
        ++i;
        valid = false;
        return 0;
    }
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if (!isContinuation(b)) {
            ++i;
            valid = false;
            return 0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(length);
    if (cp < minimum || cp > 0x10FFFF) valid = false;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

}  // namespace

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        bool valid = false;
        const char32_t cp = decodeOne(utf8, i, valid);
        if (!valid) {
            out += kReplacement;
        } else if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            out += static_cast<char16_t>(0xD800 + (v >> 10));
            out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string toUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char32_t unit = utf16[i];
        if (isHighSurrogate(unit) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) {
            const char32_t low = utf16[++i];
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            appendUtf8(out, unit);  // unpaired surrogates keep their own form
        }
    }
    return out;
}

std::u16string fileFilterList(std::string_view barSeparated) {
    std::u16string list = toUtf16(barSeparated);
    for (char16_t& c : list) {
        if (c == u'|') c = u'\0';
    }
    list += u'\0';
    list += u'\0';
    return list;
}

}  // namespace platform::win32
