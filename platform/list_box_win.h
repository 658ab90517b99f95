#pragma once
// The list control: a standard single-selection list box that holds the directory list. Its
// entries are kept here as the 8-bit text they are and shown through the display boundary.

#include "platform/controls_win.h"
#include "platform/list_items.h"

namespace kt {

class ListBox final : public Window, public ListItems {
  public:
    explicit ListBox(HWND parent);

    const std::vector<Entry>& entries() const override { return entries_; }
    void insert(std::size_t index, Entry entry) override;
    void erase(std::size_t index) override;
    void assign(std::vector<Entry> entries) override;
    int itemIndex() const override;
    void setItemIndex(int index) override;
    bool sorted() const override { return sorted_; }
    void setSortedFlag(bool sorted) override;

    // The entry whose row contains the point (client coordinates), or -1 outside the client
    // area and below the last entry.
    int itemAt(int x, int y) const;
    // The entry's width in pixels in the font the list is drawn in.
    int textWidth(int index) const;

    void setListFont(HFONT font);
    void setColors(Color text, Color background);

    std::function<void(int x, int y)> onMouseMove;
    std::function<void(MouseButton button, int x, int y)> onMouseUp;
    std::function<void(WORD key)> onKeyUp;
    // A context-menu request at a screen point: the pointer, or the list's top-left corner
    // when it came from the keyboard.
    std::function<void(POINT screen)> onContextMenu;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH onControlColor(HDC dc) override;

  private:
    std::vector<Entry> entries_;
    bool sorted_ = false;
    HFONT font_ = nullptr;
    COLORREF textColor_ = 0;
    UniqueBrush background_;
};

}  // namespace kt
