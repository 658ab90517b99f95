#pragma once
// One owner for every Win32 handle: small RAII types that free the handle exactly once.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace kt {

template <typename Handle, auto Free>
struct HandleFree {
    using pointer = Handle;
    void operator()(Handle handle) const noexcept {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
            Free(handle);
        }
    }
};

template <typename Handle, auto Free>
using UniqueHandleOf = std::unique_ptr<std::remove_pointer_t<Handle>, HandleFree<Handle, Free>>;

using UniqueHandle = UniqueHandleOf<HANDLE, ::CloseHandle>;
using UniqueFont = UniqueHandleOf<HFONT, ::DeleteObject>;
using UniqueBrush = UniqueHandleOf<HBRUSH, ::DeleteObject>;
using UniqueBitmap = UniqueHandleOf<HBITMAP, ::DeleteObject>;
using UniqueIcon = UniqueHandleOf<HICON, ::DestroyIcon>;
using UniqueMenu = UniqueHandleOf<HMENU, ::DestroyMenu>;
using UniqueMemoryDC = UniqueHandleOf<HDC, ::DeleteDC>;
using UniqueHook = UniqueHandleOf<HHOOK, ::UnhookWindowsHookEx>;

// A device context borrowed from a window, released at scope end.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() { ::ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for the scope and puts the previous one back.
class SelectObjectScope {
  public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectObjectScope() { ::SelectObject(dc_, previous_); }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace kt
