#pragma once
// The bridge from HWND to object. Every window of the program, whether of our own class or a
// standard control, is a Window: its messages reach the virtual handle() once, decoded there,
// and no exception ever leaves a window procedure (the dispatcher shows it instead).

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace kt {

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    static Window* fromHandle(HWND hwnd);

    // Position and size in the parent's client coordinates (screen for top-level windows).
    RECT bounds() const;
    void setBounds(const RECT& bounds);
    int left() const { return bounds().left; }
    int top() const { return bounds().top; }
    int width() const;
    int height() const;

    bool visible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void setVisible(bool visible);
    std::wstring text() const;
    void setText(std::wstring_view text);
    void setFont(HFONT font);
    void repaint();

    // The pointer shown over the window; nullptr keeps the class's own.
    void setCursor(HCURSOR cursor) { cursor_ = cursor; }
    // Tooltip text shown by the application's hint mechanism; empty shows none.
    const std::wstring& hint() const { return hint_; }
    void setHint(std::wstring hint) { hint_ = std::move(hint); }

  protected:
    // A window of one of our own classes, registered on first use.
    void createOwn(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& bounds,
                   HWND parent, std::wstring_view text = {});
    // A standard control, subclassed so that its messages reach handle() as well.
    void createControl(const wchar_t* className, DWORD exStyle, DWORD style, const RECT& bounds,
                       HWND parent, std::wstring_view text = {});

    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);

    // Notifications a child sends its parent come back to the child's own object.
    virtual void onCommand(WORD /*code*/) {}
    virtual HBRUSH onControlColor(HDC /*dc*/) { return nullptr; }

  private:
    static LRESULT CALLBACK classProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK controlProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd_ = nullptr;
    // A standard control's own window procedure, which ours passes messages on to.
    WNDPROC controlDefault_ = nullptr;
    HCURSOR cursor_ = nullptr;
    std::wstring hint_;
};

// Runs a handler so that an exception it throws reaches the error display and goes no further.
void guarded(const std::function<void()>& handler);

}  // namespace kt
