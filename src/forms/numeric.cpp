#include "forms/numeric.h"

#include <cmath>
#include <limits>

namespace forms {

std::int64_t roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kMax = 9.2e18;
    if (value > kMax) return static_cast<std::int64_t>(kMax);
    if (value < -kMax) return -static_cast<std::int64_t>(kMax);
    double whole = std::floor(value);
    double frac = value - whole;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<std::int64_t>(whole);
}

std::int32_t roundToInt32(double value) {
    std::int64_t v = roundHalfEven(value);
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

static void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string sjisSingleByteChar(int code) {
    std::string out;
    if (code >= 0x20 && code <= 0x7E) {
        appendUtf8(out, static_cast<char32_t>(code));
    } else if (code >= 0xA1 && code <= 0xDF) {
        appendUtf8(out, static_cast<char32_t>(0xFF61 + (code - 0xA1)));
    }
    return out;
}

std::vector<std::string> utf8Chars(const std::string& text) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        std::size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + len > text.size()) len = text.size() - i;
        chars.push_back(text.substr(i, len));
        i += len;
    }
    return chars;
}

}  // namespace forms
