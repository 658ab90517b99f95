#include "platform/edits_win.h"

#include "platform/lazy_library_win.h"
#include "platform/text_win.h"

#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>

namespace kt {

// SpinEdit ------------------------------------------------------------------------------------

SpinEdit::SpinEdit(HWND parent, int minimum, int maximum,
                   std::function<int(const std::string&)> valueOf)
    : minimum_(minimum), maximum_(maximum), valueOf_(std::move(valueOf)) {
    createControl(L"EDIT", WS_EX_CLIENTEDGE,
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPCHILDREN, RECT{},
                  parent);
    buttons_ = ::CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(buttons_, UDM_SETRANGE32, static_cast<WPARAM>(-1000), 1000);
}

int SpinEdit::value() const {
    return valueOf_(narrow(text()));
}

int SpinEdit::confined(int value) const {
    return std::clamp(value, minimum_, maximum_);
}

void SpinEdit::setValue(int value) {
    const std::wstring text = std::to_wstring(confined(value));
    if (text != this->text()) {
        setText(text);  // raises onChange through EN_CHANGE
    }
}

void SpinEdit::layoutButtons() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    // Narrow arrows, so that three digits still fit in the field's design width.
    const int buttonWidth = std::min<int>(client.bottom, ::MulDiv(13, client.bottom, 18));
    ::MoveWindow(buttons_, client.right - buttonWidth, 0, buttonWidth, client.bottom, TRUE);
    ::SendMessageW(hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(1, buttonWidth));
}

void SpinEdit::onCommand(WORD code) {
    if (code == EN_CHANGE && onChange) {
        onChange();
    }
}

LRESULT SpinEdit::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            const LRESULT result = Window::handle(message, wParam, lParam);
            layoutButtons();
            return result;
        }
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                step(wParam == VK_UP ? 1 : -1);
                return 0;
            }
            break;
        case WM_KILLFOCUS:
            if (const int typed = value(); confined(typed) != typed) {
                setValue(typed);
            }
            break;
        case WM_NOTIFY:
            if (const auto* header = reinterpret_cast<const NMHDR*>(lParam);
                header->hwndFrom == buttons_ && header->code == UDN_DELTAPOS) {
                const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
                step(change->iDelta > 0 ? 1 : -1);
                return TRUE;  // the buttons keep no position of their own
            }
            break;
        default:
            break;
    }
    return Window::handle(message, wParam, lParam);
}

// DirectoryEdit -------------------------------------------------------------------------------

class DirectoryEdit::Field final : public Window {
  public:
    Field(HWND parent, int maxLength) {
        createControl(L"EDIT", WS_EX_CLIENTEDGE,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, RECT{}, parent);
        ::SendMessageW(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    }
};

DirectoryEdit::DirectoryEdit(HWND parent, int maxLength) {
    createOwn(L"TDirectoryEdit", WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE, RECT{}, parent);
    field_ = std::make_unique<Field>(hwnd(), maxLength);
    browseButton_ = std::make_unique<PushButton>(hwnd(), L"\u2026", false);
    ::SetWindowLongPtrW(browseButton_->hwnd(), GWL_STYLE,
                        ::GetWindowLongPtrW(browseButton_->hwnd(), GWL_STYLE) & ~WS_TABSTOP);
    browseButton_->onClick = [this] { browse(); };
}

DirectoryEdit::~DirectoryEdit() = default;

std::string DirectoryEdit::value() const {
    return narrow(field_->text());
}

void DirectoryEdit::setValue(const std::string& value) {
    field_->setText(widen(value));
}

HWND DirectoryEdit::editHandle() const {
    return field_->hwnd();
}

void DirectoryEdit::browse() {
    // The chooser needs OLE, started on its first opening.
    static const auto oleInitialize =
        lazyFunction<decltype(::OleInitialize)>(L"ole32.dll", "OleInitialize");
    static const bool oleStarted = oleInitialize != nullptr && SUCCEEDED(oleInitialize(nullptr));
    (void)oleStarted;
    BROWSEINFOW info{
        .hwndOwner = ::GetAncestor(hwnd(), GA_ROOT),
        .pidlRoot = nullptr,  // the desktop
        .ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE,
    };
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (chosen == nullptr) {
        return;
    }
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(chosen, path)) {
        field_->setText(path);
    }
    ::ILFree(chosen);
}

LRESULT DirectoryEdit::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            const int width = LOWORD(lParam);
            const int height = HIWORD(lParam);
            const int buttonWidth = height;
            ::MoveWindow(field_->hwnd(), 0, 0, width - buttonWidth, height, TRUE);
            ::MoveWindow(browseButton_->hwnd(), width - buttonWidth, 0, buttonWidth, height, TRUE);
            return 0;
        }
        case WM_SETFONT:
            field_->setFont(reinterpret_cast<HFONT>(wParam));
            browseButton_->setFont(reinterpret_cast<HFONT>(wParam));
            return 0;
        case WM_SETFOCUS:
            ::SetFocus(field_->hwnd());
            return 0;
        default:
            return Window::handle(message, wParam, lParam);
    }
}

}  // namespace kt
