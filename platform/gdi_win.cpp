#include "platform/gdi_win.h"

#include "platform/text_win.h"

#include <algorithm>
#include <cmath>

namespace kt {

namespace {
constexpr int kPointsPerInch = 72;
constexpr std::uint32_t kSystemColorFlag = 0xFF000000u;
}  // namespace

COLORREF toColorRef(Color color) {
    const auto value = static_cast<std::uint32_t>(color);
    if ((value & kSystemColorFlag) == kSystemColorFlag) {
        return ::GetSysColor(static_cast<int>(value & 0xFFu));
    }
    return value & 0x00FFFFFFu;
}

LOGFONTW logFontOf(const FontDescription& description, int dpi) {
    LOGFONTW font{
        .lfHeight = -::MulDiv(description.size, dpi, kPointsPerInch),
        .lfWeight = (description.style & kBold) != 0 ? FW_BOLD : FW_NORMAL,
        .lfItalic = static_cast<BYTE>((description.style & kItalic) != 0),
        .lfUnderline = static_cast<BYTE>((description.style & kUnderline) != 0),
        .lfStrikeOut = static_cast<BYTE>((description.style & kStrikeOut) != 0),
        .lfCharSet = description.charset,
        .lfOutPrecision = OUT_DEFAULT_PRECIS,
        .lfClipPrecision = CLIP_DEFAULT_PRECIS,
        .lfQuality = DEFAULT_QUALITY,
        .lfPitchAndFamily = DEFAULT_PITCH,
    };
    const std::wstring face = widen(description.name);
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(face.begin(), length, font.lfFaceName);
    return font;
}

UniqueFont createFont(const FontDescription& description, int dpi) {
    const LOGFONTW font = logFontOf(description, dpi);
    return UniqueFont(::CreateFontIndirectW(&font));
}

UniqueFont createDesignFont(const wchar_t* face, int designCharHeight, bool bold, int dpi) {
    LOGFONTW font{
        .lfHeight = -scaled(designCharHeight, dpi),
        .lfWeight = bold ? FW_BOLD : FW_NORMAL,
        .lfCharSet = DEFAULT_CHARSET,
        .lfQuality = DEFAULT_QUALITY,
    };
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

UniqueBitmap scaledPicture(HBITMAP picture, int size) {
    BITMAP source{};
    if (picture == nullptr || ::GetObjectW(picture, sizeof(source), &source) == 0) {
        return UniqueBitmap();
    }
    const BITMAPINFO format{.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                                          .biWidth = size,
                                          .biHeight = size,
                                          .biPlanes = 1,
                                          .biBitCount = 32,
                                          .biCompression = BI_RGB}};
    void* bits = nullptr;
    UniqueBitmap scaled(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (scaled == nullptr) {
        return scaled;
    }
    const UniqueMemoryDC target(::CreateCompatibleDC(nullptr));
    const UniqueMemoryDC origin(::CreateCompatibleDC(nullptr));
    {
        SelectObjectScope into(target.get(), scaled.get());
        SelectObjectScope from(origin.get(), picture);
        // Onto a fully transparent square, so colour and alpha come through as they are.
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(target.get(), 0, 0, size, size, origin.get(), 0, 0, source.bmWidth,
                        source.bmHeight, blend);
    }
    return scaled;
}

FontDescription describeFont(const LOGFONTW& font, Color color, int dpi) {
    const int pixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    std::uint8_t style = 0;
    style |= font.lfWeight >= FW_BOLD ? kBold : 0;
    style |= font.lfItalic != 0 ? kItalic : 0;
    style |= font.lfUnderline != 0 ? kUnderline : 0;
    style |= font.lfStrikeOut != 0 ? kStrikeOut : 0;
    return FontDescription{
        .name = narrow(font.lfFaceName),
        .color = color,
        .charset = font.lfCharSet,
        .style = style,
        .size = static_cast<int>(std::lround(pixels * double{kPointsPerInch} / dpi)),
    };
}

}  // namespace kt
