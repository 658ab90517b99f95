#pragma once
// Colours and fonts as the settings describe them, independent of any window.

#include <cstdint>
#include <string>

namespace kt {

// A colour value: 0x00BBGGRR for a plain colour, 0xFF0000nn for system colour nn.
using Color = std::int32_t;

enum FontStyle : std::uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

struct FontDescription {
    std::string name = "MS Sans Serif";  // face, 8-bit like every stored string
    Color color = 0;
    std::uint8_t charset = 204;  // Cyrillic
    std::uint8_t style = 0;      // FontStyle bits
    int size = 8;                // points
    bool operator==(const FontDescription&) const = default;
};

}  // namespace kt
