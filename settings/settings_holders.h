#pragma once
// What the settings file reads into and saves from: the main window's bounds and the settings
// panel's controls. While the program runs these controls are the only copy of the settings.

#include "platform/font_description.h"

namespace kt::settings {

using kt::Color;
using kt::FontDescription;
using kt::FontStyle;

class SettingsHolders {
  public:
    virtual ~SettingsHolders() = default;

    // The main window's outer bounds in screen pixels; each setter moves or sizes the window.
    virtual int formLeft() const = 0;
    virtual void setFormLeft(int value) = 0;
    virtual int formTop() const = 0;
    virtual void setFormTop(int value) = 0;
    virtual int formHeight() const = 0;
    virtual void setFormHeight(int value) = 0;
    virtual int formWidth() const = 0;
    virtual void setFormWidth(int value) = 0;

    // spAlpha: the setter confines to 50..255 and runs spAlphaChange when the text changes.
    virtual int alphaValue() const = 0;
    virtual void setAlphaValue(int value) = 0;
    // chbSort: the setter runs chbSortClick when the state changes.
    virtual bool sortChecked() const = 0;
    virtual void setSortChecked(bool checked) = 0;
    // AutoHide: true only in its checked state; the setter never picks the grey state.
    virtual bool autoHideChecked() const = 0;
    virtual void setAutoHideChecked(bool checked) = 0;

    // Button2's font colour: the list background.
    virtual Color listColor() const = 0;
    virtual void setListColor(Color color) = 0;
    // Button1's font: the list font. refreshFontButton repaints Button1's caption in it.
    virtual FontDescription listFont() const = 0;
    virtual void setListFont(const FontDescription& font) = 0;
    virtual void refreshFontButton() = 0;
};

}  // namespace kt::settings
