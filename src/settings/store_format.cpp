#include "settings/store_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "forms/numeric.h"

namespace settings {

static bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::optional<std::int32_t> parseStoredNumber(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    std::string core = text.substr(begin, end - begin);
    if (core.empty()) return std::nullopt;
    // Only plain decimal notation: no hex, no inf/nan, nothing after the number.
    for (char c : core) {
        bool allowed =
            (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E';
        if (!allowed) return std::nullopt;
    }
    char* stop = nullptr;
    double value = std::strtod(core.c_str(), &stop);
    if (stop != core.c_str() + core.size() || !std::isfinite(value)) return std::nullopt;
    std::int64_t rounded = forms::roundHalfEven(value);
    if (rounded < INT32_MIN || rounded > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// A whole number is written whole: the single-precision text of a large one
// (2147483647 as 2147483648) would not read back as the same position.
std::string formatPosition(double twips) {
    if (twips == std::floor(twips) && std::fabs(twips) < 1e15) {
        return std::to_string(static_cast<long long>(twips));
    }
    // The fewest digits that read back as the same single. Not std::to_chars:
    // its tables would be a third of the Windows exe.
    const float single = static_cast<float>(twips);
    char buffer[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(single));
        if (std::strtof(buffer, nullptr) == single) break;
    }
    return buffer;
}

std::string formatInt(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace settings
