#include "settings/integer_rule.h"

#include <charconv>
#include <cstddef>
#include <limits>

namespace kt::settings {

namespace {

constexpr std::uint64_t kLargestMagnitude = std::uint64_t{1} << 31;  // of -2147483648

std::optional<std::uint32_t> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<std::uint32_t>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<std::uint32_t>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<std::uint32_t>(c - 'A' + 10);
    }
    return std::nullopt;
}

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isX(char c) {
    return c == 'x' || c == 'X';
}

// The length of the marker that opens a hexadecimal number at the start of the text, or 0.
std::size_t hexMarkerLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (text[0] == '$' || isX(text[0])) {
        return 1;
    }
    if (text.size() >= 2 && text[0] == '0' && isX(text[1])) {
        return 2;
    }
    return 0;
}

// One or more hexadecimal digits whose value fits in 32 bits.
std::optional<std::uint32_t> parseHexDigits(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        const auto digit = hexDigit(c);
        if (!digit || value > 0x0FFFFFFFu) {
            return std::nullopt;
        }
        value = (value << 4) | *digit;
    }
    return value;
}

// One or more decimal digits; the magnitude is capped just above what any 32-bit value needs,
// so a long run of digits cannot overflow on its way to being refused.
std::optional<std::uint64_t> parseDecimalDigits(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    for (const char c : digits) {
        if (!isDecimalDigit(c)) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > kLargestMagnitude) {
            return std::nullopt;
        }
    }
    return magnitude;
}

}  // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    // A text of more than two characters that begins with "0x" stands for the same text with
    // "$" in their place. The hexadecimal markers below include "0x" itself and read it to the
    // same number, so no rewriting is needed; a bare "0x" fails there for want of digits.
    const auto firstNonSpace = text.find_first_not_of(' ');
    text.remove_prefix(firstNonSpace == std::string_view::npos ? text.size() : firstNonSpace);

    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }

    if (const auto markerLength = hexMarkerLength(text); markerLength > 0) {
        const auto bits = parseHexDigits(text.substr(markerLength));
        if (!bits) {
            return std::nullopt;
        }
        // The 32 bits are a two's-complement value; negating it wraps, so -$80000000 stays the
        // smallest value.
        return static_cast<std::int32_t>(negative ? 0u - *bits : *bits);
    }

    const auto magnitude = parseDecimalDigits(text);
    if (!magnitude || (!negative && *magnitude > kLargestMagnitude - 1)) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t readInteger(std::string_view text, std::int32_t fallback) {
    return parseInteger(text).value_or(fallback);
}

bool readBool(std::string_view text, bool fallback) {
    const auto value = parseInteger(text);
    return value ? *value != 0 : fallback;
}

std::string formatInteger(std::int32_t value) {
    char buffer[std::numeric_limits<std::int32_t>::digits10 + 3];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace kt::settings
