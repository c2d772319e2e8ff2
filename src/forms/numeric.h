// Number and text helpers shared by the whole program: the one rounding rule
// (halves to even) and the single-byte Shift-JIS kana mapping.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// Rounds to the nearest integer, a half going to the even neighbour.
// Values beyond the 64-bit range are clamped.
std::int64_t roundHalfEven(double value);

// Same rule, clamped into the signed 32-bit range.
std::int32_t roundToInt32(double value);

// The UTF-8 text of a single-byte Shift-JIS code: ASCII for 0x20-0x7E,
// half-width katakana U+FF61-U+FF9F for 0xA1-0xDF, empty for anything else.
std::string sjisSingleByteChar(int code);

// Splits UTF-8 text into its characters (code points), each as UTF-8.
std::vector<std::string> utf8Chars(const std::string& text);

}  // namespace forms
