// Text forms of the numbers kept in the settings store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

// A stored number: decimal text, optional sign, fraction and exponent,
// blanks around it allowed; a fraction rounds half to even. Anything else,
// or a value outside the signed 32-bit range, is no number.
std::optional<std::int32_t> parseStoredNumber(const std::string& text);

// A window position: a whole number as it is, any other as the shortest
// decimal text of its single-precision value.
std::string formatPosition(double twips);

std::string formatInt(std::int32_t value);

}  // namespace settings
