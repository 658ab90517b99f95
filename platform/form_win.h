#pragma once
// A form: a top-level window owned by the application window, with the show, close query and
// activation events the program hangs its start-up and shutdown on, and layered opacity.

#include "platform/window_win.h"

namespace kt {

class Form : public Window {
  public:
    // Shows the form; the first time, the show event runs before it appears on the screen.
    void show();
    // The close query runs; when it allows, the application ends its message loop.
    void close();

    void setAlphaBlendValue(unsigned char alpha);
    bool shownOnce() const { return shownOnce_; }
    // The control that gets the keyboard focus when the form is activated.
    void setActiveControl(HWND control) { activeControl_ = control; }

  protected:
    // Creates the window (hidden) with the style the derived form asks for.
    void createForm(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& bounds);

    virtual void onShow() {}
    virtual bool onCloseQuery() { return true; }
    virtual void onActivate(WPARAM /*state*/) {}

    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool shownOnce_ = false;
    HWND activeControl_ = nullptr;
};

}  // namespace kt
