#include "platform/menus_dialogs_win.h"

#include "platform/gdi_win.h"
#include "platform/lazy_library_win.h"

#include <commdlg.h>

#include <array>

namespace kt {

PopupMenu::PopupMenu(std::vector<Item> items)
    : items_(std::move(items)), menu_(::CreatePopupMenu()) {
    UINT id = 1;
    for (const Item& item : items_) {
        const MENUITEMINFOW info{
            .cbSize = sizeof(MENUITEMINFOW),
            .fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_BITMAP,
            .fState = static_cast<UINT>(item.enabled ? MFS_ENABLED : MFS_DISABLED),
            .wID = id,
            .dwTypeData = const_cast<wchar_t*>(item.caption.c_str()),
            .hbmpItem = item.picture,
        };
        ::InsertMenuItemW(menu_.get(), id - 1, TRUE, &info);
        ++id;
    }
}

void PopupMenu::setPicture(std::size_t index, HBITMAP picture) {
    items_.at(index).picture = picture;
    const MENUITEMINFOW info{
        .cbSize = sizeof(MENUITEMINFOW), .fMask = MIIM_BITMAP, .hbmpItem = picture};
    ::SetMenuItemInfoW(menu_.get(), static_cast<UINT>(index), TRUE, &info);
}

void PopupMenu::popup(HWND owner, POINT screen) {
    if (onPopup) {
        onPopup();
    }
    const auto chosen = static_cast<UINT>(::TrackPopupMenuEx(
        menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, screen.x,
        screen.y, owner, nullptr));
    // Lets the menu close properly when it was opened from the notification area.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen >= 1 && chosen <= items_.size()) {
        const Item& item = items_[chosen - 1];
        if (item.enabled && item.onClick) {
            item.onClick();
        }
    }
}

std::optional<FontDescription> chooseFont(HWND owner, const FontDescription& current, int dpi) {
    LOGFONTW font = logFontOf(current, dpi);
    CHOOSEFONTW dialog{
        .lStructSize = sizeof(CHOOSEFONTW),
        .hwndOwner = owner,
        .lpLogFont = &font,
        .Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT,
        .rgbColors = toColorRef(current.color),
    };
    static const auto chooseFontW =
        lazyFunction<decltype(::ChooseFontW)>(L"comdlg32.dll", "ChooseFontW");
    if (chooseFontW == nullptr || !chooseFontW(&dialog)) {
        return std::nullopt;
    }
    // A colour the dialog left alone keeps its stored form (a system colour stays one).
    const Color color = dialog.rgbColors == toColorRef(current.color)
                            ? current.color
                            : static_cast<Color>(dialog.rgbColors);
    return describeFont(font, color, dpi);
}

std::optional<Color> chooseColor(HWND owner, Color current) {
    static std::array<COLORREF, 16> customColors{};
    CHOOSECOLORW dialog{
        .lStructSize = sizeof(CHOOSECOLORW),
        .hwndOwner = owner,
        .rgbResult = toColorRef(current),
        .lpCustColors = customColors.data(),
        .Flags = CC_RGBINIT,
    };
    static const auto chooseColorW =
        lazyFunction<decltype(::ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (chooseColorW == nullptr || !chooseColorW(&dialog)) {
        return std::nullopt;
    }
    return static_cast<Color>(dialog.rgbResult);
}

}  // namespace kt
