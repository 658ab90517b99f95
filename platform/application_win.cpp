#include "platform/application_win.h"

#include "platform/error.h"
#include "platform/form_win.h"
#include "platform/handles_win.h"
#include "platform/text_win.h"

#include <array>

namespace kt {

namespace {

Application* theApplication = nullptr;

constexpr UINT_PTR kHintPauseTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
constexpr UINT kHintHideAfterMs = 2500;
// Sent to itself when the application window was activated from outside (a second copy of the
// program): the activation passes on to the main form once the current message is done.
constexpr UINT kActivateMainForm = WM_APP + 1;

std::string modulePath() {
    std::array<wchar_t, 32768> buffer{};
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return narrow(std::wstring_view(buffer.data(), length));
}

std::wstring fileStem(const std::string& path) {
    std::wstring name = widen(path.substr(path.find_last_of("\\:") + 1));
    if (const auto dot = name.rfind(L'.'); dot != std::wstring::npos) {
        name.resize(dot);
    }
    return name;
}

}  // namespace

// The small window that shows a control's hint at the pointer.
class Application::HintWindow final : public Window {
  public:
    HintWindow() {
        createOwn(L"THintWindow", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                  WS_POPUP | WS_BORDER, RECT{}, nullptr);
        NONCLIENTMETRICSW metrics{.cbSize = sizeof(NONCLIENTMETRICSW)};
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        font_.reset(::CreateFontIndirectW(&metrics.lfStatusFont));
    }

    void showAt(POINT pointer, const std::wstring& text) {
        setText(text);
        RECT textRect{0, 0, 0, 0};
        {
            WindowDC dc(hwnd());
            SelectObjectScope font(dc, font_.get());
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                        DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        }
        const int cursorHeight = ::GetSystemMetrics(SM_CYCURSOR);
        ::SetWindowPos(hwnd(), HWND_TOPMOST, pointer.x, pointer.y + cursorHeight / 2 + 4,
                       textRect.right + 8, textRect.bottom + 4, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::InvalidateRect(hwnd(), nullptr, TRUE);
    }

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint{};
            HDC dc = ::BeginPaint(hwnd(), &paint);
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_INFOBK));
            SelectObjectScope font(dc, font_.get());
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
            const std::wstring caption = text();
            ::InflateRect(&client, -3, -1);
            ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &client,
                        DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
            ::EndPaint(hwnd(), &paint);
            return 0;
        }
        if (message == WM_NCHITTEST) {
            return HTTRANSPARENT;
        }
        return Window::handle(message, wParam, lParam);
    }

  private:
    UniqueFont font_;
};

Application::Application() : exeName_(modulePath()), title_(fileStem(exeName_)) {
    theApplication = this;
    // Zero-sized and a tool window: whenever Windows shows it, it neither draws nor gets a
    // taskbar button; the program hides it again at once.
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    createOwn(L"TApplication", WS_EX_TOOLWINDOW,
              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
              RECT{x, y, x, y}, nullptr, title_);
    hintWindow_ = std::make_unique<HintWindow>();
}

Application::~Application() {
    hintWindow_.reset();
    theApplication = nullptr;
}

Application& Application::instance() {
    return *theApplication;
}

void Application::setTitle(std::wstring title) {
    title_ = std::move(title);
    setText(title_);
}

void Application::run(Form& mainForm) {
    mainForm_ = &mainForm;
    STARTUPINFOW startup{.cb = sizeof(STARTUPINFOW)};
    ::GetStartupInfoW(&startup);
    const bool startMinimized =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 &&
        (startup.wShowWindow == SW_SHOWMINNOACTIVE || startup.wShowWindow == SW_SHOWMINIMIZED ||
         startup.wShowWindow == SW_MINIMIZE);
    if (startMinimized) {
        minimize();
    } else {
        guarded([&] { mainForm.show(); });
    }

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        handleMessage(message);
    }
    mainForm_ = nullptr;
    hideHint();
}

void Application::terminate() {
    ::PostQuitMessage(0);
}

void Application::processMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the message loop itself.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        handleMessage(message);
    }
}

// Both loops, the main one and the one that lets waiting messages run, go through here: the
// hints follow the pointer, and the keyboard moves between the form's controls.
void Application::handleMessage(MSG& message) {
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE) {
        pointerMoved(message.hwnd);
    } else if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN ||
               message.message == WM_MBUTTONDOWN || message.message == WM_KEYDOWN) {
        cancelHint();
    }
    if (mainForm_ != nullptr && ::IsDialogMessageW(mainForm_->hwnd(), &message)) {
        return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

bool Application::minimized() const {
    return ::IsIconic(hwnd()) != FALSE;
}

void Application::minimize() {
    if (mainForm_ != nullptr && (mainForm_->visible() || !mainForm_->shownOnce())) {
        formHiddenByMinimize_ = true;
        ::ShowWindow(mainForm_->hwnd(), SW_HIDE);
    }
    if (!minimized()) {
        ::ShowWindow(hwnd(), SW_SHOWMINNOACTIVE);
    }
    // Minimised, the application window stays hidden too: the program never shows a taskbar
    // button, and its way back is the notification-area icon or a second copy.
    ::ShowWindow(hwnd(), SW_HIDE);
}

void Application::restore() {
    if (minimized()) {
        ::ShowWindow(hwnd(), SW_RESTORE);
    }
    bringMainFormBack();
}

void Application::bringMainFormBack() {
    if (!formHiddenByMinimize_ || mainForm_ == nullptr || minimized()) {
        return;
    }
    formHiddenByMinimize_ = false;
    guarded([&] {
        if (mainForm_->shownOnce()) {
            ::ShowWindow(mainForm_->hwnd(), SW_SHOW);
        } else {
            mainForm_->show();
        }
    });
}

void Application::cancelHint() {
    hideHint();
    hintState_ = HintState::Idle;
}

void Application::pointerMoved(HWND over) {
    if (over != hintControl_) {
        hideHint();
        hintControl_ = over;
        hintState_ = HintState::Idle;
    }
    if (hintState_ == HintState::Idle) {
        hintState_ = HintState::Waiting;
        ::SetTimer(hwnd(), kHintPauseTimer, hintPause_, nullptr);
    }
}

void Application::showHint() {
    ::KillTimer(hwnd(), kHintPauseTimer);
    hintState_ = HintState::Done;
    POINT pointer{};
    ::GetCursorPos(&pointer);
    const Window* control = fromHandle(hintControl_);
    if (control == nullptr || control->hint().empty() ||
        ::WindowFromPoint(pointer) != hintControl_) {
        return;
    }
    hintWindow_->showAt(pointer, control->hint());
    hintState_ = HintState::Showing;
    ::SetTimer(hwnd(), kHintHideTimer, kHintHideAfterMs, nullptr);
}

void Application::hideHint() {
    ::KillTimer(hwnd(), kHintPauseTimer);
    ::KillTimer(hwnd(), kHintHideTimer);
    if (hintWindow_ != nullptr && hintWindow_->visible()) {
        ::ShowWindow(hintWindow_->hwnd(), SW_HIDE);
    }
    if (hintState_ == HintState::Showing || hintState_ == HintState::Waiting) {
        hintState_ = HintState::Done;
    }
}

void Application::showException(const std::exception& error) {
    cancelHint();
    const std::wstring text = widen(withFullStop(error.what()));
    ::MessageBoxW(hwnd(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

LRESULT Application::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kHintPauseTimer) {
                showHint();
            } else if (wParam == kHintHideTimer) {
                hideHint();
            }
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_RESTORED) {
                bringMainFormBack();
            }
            return 0;
        case WM_SHOWWINDOW:
            if (wParam != FALSE) {
                bringMainFormBack();
            }
            return Window::handle(message, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                ::PostMessageW(hwnd(), kActivateMainForm, 0, 0);
            }
            return 0;
        case kActivateMainForm:
            if (mainForm_ != nullptr && mainForm_->visible() &&
                ::IsWindowEnabled(mainForm_->hwnd())) {
                ::SetForegroundWindow(mainForm_->hwnd());
            }
            return 0;
        case WM_SYSCOMMAND:
            // Minimising or restoring the application window from outside takes the same road
            // as the program's own commands, so the form goes and comes back with it.
            if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                minimize();
                return 0;
            }
            if ((wParam & 0xFFF0) == SC_RESTORE) {
                restore();
                return 0;
            }
            return Window::handle(message, wParam, lParam);
        case WM_CLOSE:
            if (mainForm_ != nullptr) {
                mainForm_->close();
            }
            return 0;
        case WM_ENDSESSION:
            // The session ends once this returns: the exit sequence runs now, not later.
            if (wParam != FALSE) {
                terminate();
                if (mainForm_ != nullptr) {
                    mainForm_->exitSequence();
                }
            }
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

}  // namespace kt
