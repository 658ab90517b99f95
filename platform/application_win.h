#pragma once
// The application object: the hidden application window that bears the application title and
// owns the main form, minimising and restoring, the hint mechanism, the message loop and the
// one error display.

#include "platform/window_win.h"

#include <exception>
#include <memory>
#include <string>

namespace kt {

class Form;

class Application final : public Window {
  public:
    Application();
    ~Application() override;
    static Application& instance();

    HWND handle() const { return hwnd(); }
    // The executable's full path, 8-bit in the ANSI code page.
    const std::string& exeName() const { return exeName_; }
    const std::wstring& title() const { return title_; }
    void setTitle(std::wstring title);

    // Makes the form the main form and runs the message loop until the application terminates:
    // the form is shown first (or the application starts minimised when Windows asked for it).
    void run(Form& mainForm);
    void terminate();
    // Lets every message that is already waiting be handled, then returns.
    void processMessages();

    // Takes the main form off the screen; restore brings it back.
    void minimize();
    void restore();
    bool minimized() const;

    // The time between a pointer movement over a control and the showing of its hint.
    void setHintPause(unsigned milliseconds) { hintPause_ = milliseconds; }
    // Hides a hint that is showing; the next pointer movement starts the wait afresh.
    void cancelHint();

    // The error display: the error's text with a full stop where one is due, the application
    // title as caption, an error icon and OK.
    void showException(const std::exception& error);

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    enum class HintState { Idle, Waiting, Showing, Done };

    void handleMessage(MSG& message);
    void pointerMoved(HWND over);
    void showHint();
    void hideHint();
    void bringMainFormBack();

    std::string exeName_;
    std::wstring title_;
    Form* mainForm_ = nullptr;
    bool formHiddenByMinimize_ = false;

    unsigned hintPause_ = 500;
    HintState hintState_ = HintState::Idle;
    HWND hintControl_ = nullptr;
    class HintWindow;
    std::unique_ptr<HintWindow> hintWindow_;
};

}  // namespace kt
