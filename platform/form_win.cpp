#include "platform/form_win.h"

#include "platform/application_win.h"
#include "platform/handles_win.h"

namespace kt {

void Form::createForm(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& bounds) {
    createOwn(className, exStyle, style, bounds, Application::instance().handle());
}

void Form::show() {
    if (!shownOnce_) {
        shownOnce_ = true;
        onShow();
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
}

void Form::close() {
    if (onCloseQuery()) {
        Application::instance().terminate();
    }
}

namespace {

UINT releaseEndingTheMove = WM_LBUTTONUP;

// The system's move loop ends only on the left button's release; a move started with another
// button ends on that button's release, which is shown to the loop as the left one's.
LRESULT CALLBACK endMoveOnRelease(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (message->message == releaseEndingTheMove) {
            message->message = WM_LBUTTONUP;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void Form::moveByCaption(MouseButton pressed) {
    constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;  // 0xF012
    ::ReleaseCapture();
    if (pressed == MouseButton::Left) {
        ::SendMessageW(hwnd(), WM_SYSCOMMAND, kMoveByCaption, 0);
        return;
    }
    releaseEndingTheMove = pressed == MouseButton::Right ? WM_RBUTTONUP : WM_MBUTTONUP;
    const UniqueHook hook(
        ::SetWindowsHookExW(WH_GETMESSAGE, endMoveOnRelease, nullptr, ::GetCurrentThreadId()));
    ::SendMessageW(hwnd(), WM_SYSCOMMAND, kMoveByCaption, 0);
}

void Form::setAlphaBlendValue(unsigned char alpha) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    if ((exStyle & WS_EX_LAYERED) == 0) {
        ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    }
    ::SetLayeredWindowAttributes(hwnd(), 0, alpha, LWA_ALPHA);
}

LRESULT Form::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            close();
            return 0;
        case WM_QUERYENDSESSION:
            // Windows is ending the session: the close query runs, and the answer is yes.
            onCloseQuery();
            return TRUE;
        case WM_ACTIVATE:
            onActivate(wParam);
            // Activation gives the keyboard focus back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = ::GetFocus(); focus != nullptr && ::IsChild(hwnd(), focus)) {
                    activeControl_ = focus;
                }
            } else if (HIWORD(wParam) == 0) {
                ::SetFocus(activeControl_ != nullptr && ::IsWindow(activeControl_) ? activeControl_
                                                                                   : hwnd());
            }
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

}  // namespace kt
