#pragma once
// The two text fields of the settings panel: a spin edit for a number in a range, and a
// directory field with a browse button that opens the system folder chooser.

#include "platform/controls_win.h"

#include <memory>
#include <string>

namespace kt {

// A single-line field with two small arrow buttons. Its value is its text read by valueOf,
// which may lie outside [minimum, maximum] while typed text is not yet confirmed; it is
// confined when set by code, when stepped, and when the field loses the focus, and the text is
// then rewritten. Every change of the text raises onChange.
class SpinEdit final : public Window {
  public:
    SpinEdit(HWND parent, int minimum, int maximum, std::function<int(const std::string&)> valueOf);

    int value() const;
    void setValue(int value);
    void step(int delta) { setValue(value() + delta); }
    std::function<void()> onChange;

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCommand(WORD code) override;

  private:
    int confined(int value) const;
    void layoutButtons();

    int minimum_;
    int maximum_;
    std::function<int(const std::string&)> valueOf_;
    HWND buttons_ = nullptr;
};

// A single-line field for a directory path with a browse button at its right end.
class DirectoryEdit final : public Window {
  public:
    DirectoryEdit(HWND parent, int maxLength);
    ~DirectoryEdit() override;

    // The typed text, 8-bit in the ANSI code page.
    std::string value() const;
    void setValue(const std::string& value);
    HWND editHandle() const;
    // Opens the folder chooser rooted at the desktop; OK puts the folder's path in the field.
    void browse();

  protected:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    class Field;
    std::unique_ptr<Field> field_;
    std::unique_ptr<PushButton> browseButton_;
};

}  // namespace kt
