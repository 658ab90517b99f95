// The integer rule reads whatever a hand-edited settings file or the opacity field holds. It
// must never crash, must read back every number the program writes, in decimal and in every
// hexadecimal form, and must refuse any text with something after the number.

#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/integer_rule.h"

namespace {

using kt::settings::formatInteger;
using kt::settings::parseInteger;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

std::string hex(std::uint32_t bits, bool upperCase) {
    char buffer[8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, bits, 16);
    std::string digits(buffer, result.ptr);
    if (upperCase) {
        for (char& c : digits) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = parseInteger(text);

    // Leading spaces never change what a text holds.
    require(parseInteger(" " + text) == parsed);

    if (parsed) {
        require(parseInteger(formatInteger(*parsed)) == parsed);
        // A character that cannot continue the digits makes the text invalid.
        const char trailing = static_cast<char>(data[0]);
        if (!isHexDigit(trailing)) {
            require(!parseInteger(text + trailing));
        }
    }

    if (size >= 4) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        const auto value = static_cast<std::int32_t>(bits);
        const bool upperCase = size >= 5 && (data[4] & 1) != 0;

        const std::string decimal = formatInteger(value);
        require(parseInteger(decimal) == value);
        require(parseInteger("$" + hex(bits, upperCase)) == value);
        require(parseInteger("0x" + hex(bits, upperCase)) == value);
        require(parseInteger("0X" + hex(bits, upperCase)) == value);
        require(parseInteger("-$" + hex(bits, upperCase)) == static_cast<std::int32_t>(0u - bits));

        if (size >= 6) {
            const char trailing = static_cast<char>(data[5]);
            if (!isDecimalDigit(trailing)) {
                require(!parseInteger(decimal + trailing));
            }
        }
    }
    return 0;
}
