#pragma once
// How the settings file's text becomes a number, and how a number is written back. The same
// rule serves the opacity field while the user types into it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kt::settings {

// A whole 32-bit number: leading spaces, at most one "-" or "+", then either decimal digits
// within -2147483648..2147483647 or, after "$", "x", "X", "0x" or "0X", hexadecimal digits of
// either case fitting in 32 bits and taken as two's complement ($FFFFFFFF is -1). Nothing may
// follow the number. Empty or malformed text gives nothing.
std::optional<std::int32_t> parseInteger(std::string_view text);

// The number the text holds, or the fallback when it holds none.
std::int32_t readInteger(std::string_view text, std::int32_t fallback);

// A non-zero number is true; text holding no number gives the fallback.
bool readBool(std::string_view text, bool fallback);

// Decimal, with "-" for negative numbers and no "+", leading zeros or separators.
std::string formatInteger(std::int32_t value);

}  // namespace kt::settings
