#include "platform/controls_win.h"

#include <windowsx.h>

namespace kt {

namespace {

HCURSOR handCursor() {
    return ::LoadCursorW(nullptr, IDC_HAND);
}

// Children paint on their parent's face colour.
HBRUSH faceBrush(HDC dc) {
    ::SetBkMode(dc, TRANSPARENT);
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace

// Panel ---------------------------------------------------------------------------------------

Panel::Panel(HWND parent, bool raisedBevel) : raisedBevel_(raisedBevel) {
    createOwn(L"TPanel", WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, RECT{},
              parent);
}

LRESULT Panel::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (onMouseDown) {
                onMouseDown(message == WM_LBUTTONDOWN   ? MouseButton::Left
                            : message == WM_RBUTTONDOWN ? MouseButton::Right
                                                        : MouseButton::Middle);
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(hwnd(), &paint);
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
            if (raisedBevel_) {
                ::DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
            }
            ::EndPaint(hwnd(), &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

// Label ---------------------------------------------------------------------------------------

Label::Label(HWND parent, std::wstring_view caption) {
    createControl(L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, RECT{}, parent,
                  caption);
}

HBRUSH Label::onControlColor(HDC dc) {
    ::SetTextColor(dc, toColorRef(color_));
    return faceBrush(dc);
}

// SpeedButton ---------------------------------------------------------------------------------

SpeedButton::SpeedButton(HWND parent, std::wstring_view caption) {
    createOwn(L"TSpeedButton", 0, WS_CHILD | WS_VISIBLE, RECT{}, parent, caption);
    setCursor(handCursor());
}

LRESULT SpeedButton::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            pressed_ = true;
            ::SetCapture(hwnd());
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_LBUTTONUP: {
            const bool wasPressed = pressed_;
            pressed_ = false;
            ::ReleaseCapture();
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (wasPressed && ::PtInRect(&client, point) && onClick) {
                onClick();
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (!hot_) {
                hot_ = true;
                TRACKMOUSEEVENT track{
                    .cbSize = sizeof(track), .dwFlags = TME_LEAVE, .hwndTrack = hwnd()};
                ::TrackMouseEvent(&track);
                ::InvalidateRect(hwnd(), nullptr, FALSE);
            }
            return 0;
        case WM_MOUSELEAVE:
            hot_ = false;
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_PAINT: {
            PAINTSTRUCT paintStruct{};
            HDC dc = ::BeginPaint(hwnd(), &paintStruct);
            paint(dc);
            ::EndPaint(hwnd(), &paintStruct);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

void SpeedButton::paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    if (pressed_) {
        ::DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot_) {
        ::DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    }
    const std::wstring caption = text();
    SelectObjectScope selected(
        dc, font_ != nullptr ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE textSize{};
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &textSize);
    BITMAP glyph{};
    const bool hasGlyph = glyph_ != nullptr && ::GetObjectW(glyph_, sizeof(glyph), &glyph) != 0;
    const int gap = hasGlyph && !caption.empty() ? 4 : 0;
    const int contentWidth = textSize.cx + (hasGlyph ? glyph.bmWidth + gap : 0);
    const int shift = pressed_ ? 1 : 0;
    int x = (client.right - contentWidth) / 2 + shift;
    if (hasGlyph) {
        const UniqueMemoryDC memory(::CreateCompatibleDC(dc));
        SelectObjectScope bitmap(memory.get(), glyph_);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(dc, x, (client.bottom - glyph.bmHeight) / 2 + shift, glyph.bmWidth,
                        glyph.bmHeight, memory.get(), 0, 0, glyph.bmWidth, glyph.bmHeight, blend);
        x += glyph.bmWidth + gap;
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, toColorRef(color_));
    ::TextOutW(dc, x, (client.bottom - textSize.cy) / 2 + shift, caption.c_str(),
               static_cast<int>(caption.size()));
}

// PushButton ----------------------------------------------------------------------------------

PushButton::PushButton(HWND parent, std::wstring_view caption, bool wordWrap) {
    createControl(
        L"BUTTON", 0,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | (wordWrap ? BS_MULTILINE : 0u), RECT{},
        parent, caption);
    setCursor(handCursor());
}

void PushButton::onCommand(WORD code) {
    if (code == BN_CLICKED && onClick) {
        onClick();
    }
}

// CheckBox ------------------------------------------------------------------------------------

CheckBox::CheckBox(HWND parent, std::wstring_view caption, bool allowGrayed)
    : allowGrayed_(allowGrayed) {
    // The box is stepped here, not by the control, so that the three states cycle in the
    // order unchecked, grey, checked.
    createControl(L"BUTTON", 0,
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | (allowGrayed ? BS_3STATE : BS_CHECKBOX),
                  RECT{}, parent, caption);
}

void CheckBox::setState(State state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    ::SendMessageW(hwnd(), BM_SETCHECK,
                   state == State::Checked  ? BST_CHECKED
                   : state == State::Grayed ? BST_INDETERMINATE
                                            : BST_UNCHECKED,
                   0);
    if (onClick) {
        onClick();
    }
}

void CheckBox::onCommand(WORD code) {
    if (code != BN_CLICKED) {
        return;
    }
    switch (state_) {
        case State::Unchecked:
            setState(allowGrayed_ ? State::Grayed : State::Checked);
            break;
        case State::Grayed:
            setState(State::Checked);
            break;
        case State::Checked:
            setState(State::Unchecked);
            break;
    }
}

HBRUSH CheckBox::onControlColor(HDC dc) {
    return faceBrush(dc);
}

// Timer ---------------------------------------------------------------------------------------

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled) {
        ::SetTimer(owner_, id_, interval_, nullptr);
    } else {
        ::KillTimer(owner_, id_);
    }
}

}  // namespace kt
