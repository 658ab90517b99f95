#pragma once
// Fonts, colours and pixel scaling: the window is designed at 96 dots per inch and every size,
// position and font height is scaled to the screen's actual resolution.

#include "platform/font_description.h"
#include "platform/handles_win.h"

#include <windows.h>

namespace kt {

constexpr int kDesignDpi = 96;

inline int scaled(int designPixels, int dpi) {
    return ::MulDiv(designPixels, dpi, kDesignDpi);
}

COLORREF toColorRef(Color color);

// The list font as the settings describe it, at the given resolution.
UniqueFont createFont(const FontDescription& description, int dpi);
// A font of the window's own design, given by its character height in design pixels.
UniqueFont createDesignFont(const wchar_t* face, int designCharHeight, bool bold, int dpi);

// A picture (32-bit, premultiplied alpha) drawn at size x size pixels: the pictures are made
// at 16 x 16 for 96 dots per inch and scaled with the rest of the window.
UniqueBitmap scaledPicture(HBITMAP picture, int size);

// Reads a font back into the settings' description.
FontDescription describeFont(const LOGFONTW& font, Color color, int dpi);
LOGFONTW logFontOf(const FontDescription& description, int dpi);

}  // namespace kt
