#pragma once
// The popup menu with pictures, and the system's font and colour dialogs.

#include "platform/font_description.h"
#include "platform/handles_win.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kt {

class PopupMenu final {
  public:
    struct Item {
        std::wstring caption;
        bool enabled = true;
        HBITMAP picture = nullptr;  // 16 x 16, 32-bit colour with alpha
        std::function<void()> onClick;
    };

    explicit PopupMenu(std::vector<Item> items);
    const std::vector<Item>& items() const { return items_; }
    // The picture beside an item; the caller keeps it alive while the menu uses it.
    void setPicture(std::size_t index, HBITMAP picture);

    // Runs onPopup, shows the menu with its top-left corner at the screen point and returns
    // when it has closed; the chosen item's onClick runs after that.
    void popup(HWND owner, POINT screen);
    std::function<void()> onPopup;

  private:
    std::vector<Item> items_;
    UniqueMenu menu_;
};

// Opens on the font given; OK yields the chosen face, size, style, character set and colour.
std::optional<FontDescription> chooseFont(HWND owner, const FontDescription& current, int dpi);
// Opens with the colour selected; OK yields a plain RGB colour.
std::optional<Color> chooseColor(HWND owner, Color current);

}  // namespace kt
