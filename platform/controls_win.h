#pragma once
// The controls the window is built from: panel, label, speed button, push button, check box,
// timer. Each raises its events through std::function members that the form wires up.

#include "platform/gdi_win.h"
#include "platform/window_win.h"

#include <functional>

namespace kt {

enum class MouseButton { Left, Right, Middle };

// A container with a raised one-pixel bevel (or none), in the window's face colour.
class Panel final : public Window {
  public:
    Panel(HWND parent, bool raisedBevel);
    std::function<void(MouseButton)> onMouseDown;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool raisedBevel_;
};

// Text on its parent's background. Pointer presses fall through to the parent, so dragging by
// a label on the title strip drags the window.
class Label final : public Window {
  public:
    Label(HWND parent, std::wstring_view caption);
    void setColor(Color color) { color_ = color; }

  protected:
    HBRUSH onControlColor(HDC dc) override;

  private:
    Color color_ = static_cast<Color>(0xFF000008);  // window text
};

// A flat button that never takes the keyboard focus, with an optional 16 x 16 picture.
class SpeedButton final : public Window {
  public:
    SpeedButton(HWND parent, std::wstring_view caption);
    void setColor(Color color) { color_ = color; }
    void setGlyph(HBITMAP glyph) { glyph_ = glyph; }
    std::function<void()> onClick;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void paint(HDC dc);
    Color color_ = static_cast<Color>(0xFF000012);  // button text
    HFONT font_ = nullptr;
    HBITMAP glyph_ = nullptr;
    bool pressed_ = false;
    bool hot_ = false;
};

class PushButton final : public Window {
  public:
    PushButton(HWND parent, std::wstring_view caption, bool wordWrap);
    std::function<void()> onClick;

  protected:
    void onCommand(WORD code) override;
};

// A check box with two states, or three (unchecked, grey, checked, in that cycle). Every
// change of state, by the user or by code, raises onClick.
class CheckBox final : public Window {
  public:
    enum class State { Unchecked, Grayed, Checked };
    CheckBox(HWND parent, std::wstring_view caption, bool allowGrayed);

    State state() const { return state_; }
    void setState(State state);
    bool checked() const { return state_ == State::Checked; }
    void setChecked(bool checked) { setState(checked ? State::Checked : State::Unchecked); }
    std::function<void()> onClick;

  protected:
    void onCommand(WORD code) override;
    HBRUSH onControlColor(HDC dc) override;

  private:
    bool allowGrayed_;
    State state_ = State::Unchecked;
};

// A window timer. Switching it on while it is on does not restart its interval.
class Timer final {
  public:
    Timer(HWND owner, UINT_PTR id, UINT interval) : owner_(owner), id_(id), interval_(interval) {}
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    UINT_PTR id() const { return id_; }
    std::function<void()> onTimer;

  private:
    HWND owner_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

}  // namespace kt
