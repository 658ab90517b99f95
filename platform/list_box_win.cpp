#include "platform/list_box_win.h"

#include "platform/text_win.h"

#include <windowsx.h>

namespace kt {

ListBox::ListBox(HWND parent) {
    createControl(L"LISTBOX", 0,
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                      LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS,
                  RECT{}, parent);
    setCursor(::LoadCursorW(nullptr, IDC_HAND));
    setColors(0, 0xFFFFFF);
}

void ListBox::insert(std::size_t index, Entry entry) {
    const std::wstring shown = widen(entry);
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
    ::SendMessageW(hwnd(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(shown.c_str()));
}

void ListBox::erase(std::size_t index) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    ::SendMessageW(hwnd(), LB_DELETESTRING, index, 0);
}

void ListBox::assign(std::vector<Entry> entries) {
    entries_ = std::move(entries);
    ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (const Entry& entry : entries_) {
        bytes += (entry.size() + 1) * sizeof(wchar_t);
    }
    ::SendMessageW(hwnd(), LB_INITSTORAGE, entries_.size(), static_cast<LPARAM>(bytes));
    std::wstring shown;
    for (const Entry& entry : entries_) {
        shown = widen(entry);
        // Insert at the end, never through the control's own sorting.
        ::SendMessageW(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(shown.c_str()));
    }
    ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

int ListBox::itemIndex() const {
    return static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
}

void ListBox::setItemIndex(int index) {
    ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ListBox::setSortedFlag(bool sorted) {
    sorted_ = sorted;
    // The style bit tells other programs that the list is kept sorted; the order itself is
    // kept by the directory list's rules, since entries are only ever inserted at a place.
    LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    style = sorted ? (style | LBS_SORT) : (style & ~static_cast<LONG_PTR>(LBS_SORT));
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style);
}

int ListBox::itemAt(int x, int y) const {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    if (x < client.left || y < client.top || x >= client.right || y >= client.bottom) {
        return -1;
    }
    const auto rowHeight = static_cast<int>(::SendMessageW(hwnd(), LB_GETITEMHEIGHT, 0, 0));
    const auto topIndex = static_cast<int>(::SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0));
    if (rowHeight <= 0) {
        return -1;
    }
    const int index = topIndex + y / rowHeight;
    return index < count() ? index : -1;
}

int ListBox::textWidth(int index) const {
    const std::wstring shown = widen(entries_.at(static_cast<std::size_t>(index)));
    WindowDC dc(hwnd());
    SelectObjectScope font(
        dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
    return size.cx;
}

void ListBox::setListFont(HFONT font) {
    font_ = font;
    setFont(font);
}

void ListBox::setColors(Color text, Color background) {
    textColor_ = toColorRef(text);
    background_.reset(::CreateSolidBrush(toColorRef(background)));
}

HBRUSH ListBox::onControlColor(HDC dc) {
    LOGBRUSH brush{};
    ::GetObjectW(background_.get(), sizeof(brush), &brush);
    ::SetTextColor(dc, textColor_);
    ::SetBkColor(dc, brush.lbColor);
    return background_.get();
}

LRESULT ListBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE: {
            const LRESULT result = Window::handle(message, wParam, lParam);
            if (onMouseMove) {
                onMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            }
            return result;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            // The right button's release first raises the context menu (through the default
            // handling); the list's own release handling runs once the menu has closed.
            const LRESULT result = Window::handle(message, wParam, lParam);
            if (onMouseUp) {
                onMouseUp(message == WM_LBUTTONUP   ? MouseButton::Left
                          : message == WM_RBUTTONUP ? MouseButton::Right
                                                    : MouseButton::Middle,
                          GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            }
            return result;
        }
        case WM_KEYUP: {
            const LRESULT result = Window::handle(message, wParam, lParam);
            if (onKeyUp) {
                onKeyUp(static_cast<WORD>(wParam));
            }
            return result;
        }
        case WM_CONTEXTMENU: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (lParam == -1) {
                point = POINT{0, 0};
                ::ClientToScreen(hwnd(), &point);
            } else {
                // Over the scroll bar the system's own menu applies.
                POINT client = point;
                ::ScreenToClient(hwnd(), &client);
                RECT clientRect{};
                ::GetClientRect(hwnd(), &clientRect);
                if (!::PtInRect(&clientRect, client)) {
                    return Window::handle(message, wParam, lParam);
                }
            }
            if (onContextMenu) {
                onContextMenu(point);
            }
            return 0;
        }
        default:
            return Window::handle(message, wParam, lParam);
    }
}

}  // namespace kt
