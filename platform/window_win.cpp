#include "platform/window_win.h"

#include "platform/application_win.h"

#include <unordered_set>

namespace kt {

namespace {

void registerOnce(const wchar_t* className, WNDPROC procedure) {
    static std::unordered_set<std::wstring> registered;
    if (!registered.insert(className).second) {
        return;
    }
    const WNDCLASSEXW windowClass{
        .cbSize = sizeof(WNDCLASSEXW),
        .style = CS_DBLCLKS,
        .lpfnWndProc = procedure,
        .hInstance = ::GetModuleHandleW(nullptr),
        .hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"),
        .hCursor = ::LoadCursorW(nullptr, IDC_ARROW),
        .hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE),
        .lpszClassName = className,
    };
    ::RegisterClassExW(&windowClass);
}

}  // namespace

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Application::instance().showException(error);
    }
}

Window::~Window() {
    if (hwnd_ == nullptr) {
        return;
    }
    HWND hwnd = hwnd_;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (controlDefault_ != nullptr) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlDefault_));
    }
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
}

Window* Window::fromHandle(HWND hwnd) {
    return hwnd == nullptr ? nullptr
                           : reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::createOwn(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& bounds,
                       HWND parent, std::wstring_view text) {
    registerOnce(className, classProc);
    const std::wstring caption(text);
    ::CreateWindowExW(exStyle, className, caption.c_str(), style, bounds.left, bounds.top,
                      bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                      ::GetModuleHandleW(nullptr), this);
}

void Window::createControl(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& bounds,
                           HWND parent, std::wstring_view text) {
    const std::wstring caption(text);
    hwnd_ = ::CreateWindowExW(exStyle, className, caption.c_str(), style, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Plain window-procedure subclassing: every message of the list passes through here, and
    // this costs next to nothing per message (filling a list of 100,000 entries is 100,000
    // messages).
    controlDefault_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc)));
}

LRESULT CALLBACK Window::classProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    Window* self = fromHandle(hwnd);
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = fromHandle(hwnd);
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        const WNDPROC original = self->controlDefault_;
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->controlDefault_ = nullptr;
        return ::CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    return self->dispatch(message, wParam, lParam);
}

LRESULT Window::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_SETCURSOR && cursor_ != nullptr &&
            reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        return handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        Application::instance().showException(error);
        return 0;
    }
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (reflect(message, wParam, lParam, result)) {
        return result;
    }
    return callDefault(message, wParam, lParam);
}

LRESULT Window::callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    return controlDefault_ != nullptr
               ? ::CallWindowProcW(controlDefault_, hwnd_, message, wParam, lParam)
               : ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            if (Window* child = fromHandle(reinterpret_cast<HWND>(lParam)); child != nullptr) {
                child->onCommand(HIWORD(wParam));
                return true;
            }
            return false;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (Window* child = fromHandle(reinterpret_cast<HWND>(lParam)); child != nullptr) {
                if (HBRUSH brush = child->onControlColor(reinterpret_cast<HDC>(wParam))) {
                    result = reinterpret_cast<LRESULT>(brush);
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

RECT Window::bounds() const {
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    if (HWND parent = ::GetAncestor(hwnd_, GA_PARENT);
        parent != nullptr && (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD) != 0) {
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

void Window::setBounds(const RECT& rect) {
    ::SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

int Window::width() const {
    const RECT rect = bounds();
    return rect.right - rect.left;
}

int Window::height() const {
    const RECT rect = bounds();
    return rect.bottom - rect.top;
}

void Window::setVisible(bool visible) {
    ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

std::wstring Window::text() const {
    std::wstring value(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    value.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd_, value.data(), static_cast<int>(value.size()))));
    return value;
}

void Window::setText(std::wstring_view text) {
    const std::wstring value(text);
    ::SetWindowTextW(hwnd_, value.c_str());
}

void Window::setFont(HFONT font) {
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Window::repaint() {
    ::RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace kt
