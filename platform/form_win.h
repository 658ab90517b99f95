#pragma once
// A form: a top-level window owned by the application window, with the show, close query and
// activation events the program hangs its start-up and shutdown on, and layered opacity.

#include "platform/controls_win.h"
#include "platform/window_win.h"

namespace kt {

class Form : public Window {
  public:
    // Shows the form; the first time, the show event runs before it appears on the screen.
    void show();
    // The close query runs; when it allows, the application ends its message loop.
    void close();

    void setAlphaBlendValue(unsigned char alpha);
    // Moves the window through the system's own move loop, as if its caption bar had been
    // grabbed with the mouse; the loop ends when the button that started it is released.
    void moveByCaption(MouseButton pressed);
    bool shownOnce() const { return shownOnce_; }
    // The end of the program for this form: off the screen, then its destroy event. Runs once.
    virtual void exitSequence() {}
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
