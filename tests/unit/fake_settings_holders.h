#pragma once
// The window's bounds and the settings panel's controls as plain fields. Every setter call is
// recorded, so that a test can see the order in which the settings reach their holders.

#include <string>
#include <vector>

#include "settings/opacity_value.h"
#include "settings/settings_holders.h"

namespace kt::fakes {

class FakeSettingsHolders : public settings::SettingsHolders {
  public:
    int left = 0;
    int top = 0;
    int height = 0;
    int width = 0;
    int alpha = 220;  // the spin edit's design value
    bool sort = false;
    bool autoHide = false;
    settings::Color background = 0;
    settings::FontDescription font;  // the face the font button takes from the form
    std::vector<std::string> calls;

    int formLeft() const override { return left; }
    void setFormLeft(int value) override { record("setFormLeft", left = value); }
    int formTop() const override { return top; }
    void setFormTop(int value) override { record("setFormTop", top = value); }
    int formHeight() const override { return height; }
    void setFormHeight(int value) override { record("setFormHeight", height = value); }
    int formWidth() const override { return width; }
    void setFormWidth(int value) override { record("setFormWidth", width = value); }

    int alphaValue() const override { return alpha; }
    // Like the spin edit, a value set by code is confined.
    void setAlphaValue(int value) override {
        record("setAlphaValue", value);
        alpha = settings::confineOpacity(value);
    }
    bool sortChecked() const override { return sort; }
    void setSortChecked(bool checked) override { record("setSortChecked", sort = checked); }
    bool autoHideChecked() const override { return autoHide; }
    void setAutoHideChecked(bool checked) override {
        record("setAutoHideChecked", autoHide = checked);
    }

    settings::Color listColor() const override { return background; }
    void setListColor(settings::Color color) override {
        record("setListColor", background = color);
    }
    settings::FontDescription listFont() const override { return font; }
    void setListFont(const settings::FontDescription& value) override {
        calls.push_back("setListFont");
        font = value;
    }
    void refreshFontButton() override { calls.push_back("refreshFontButton"); }

  private:
    void record(const char* name, long long value) {
        calls.push_back(std::string(name) + "(" + std::to_string(value) + ")");
    }
};

}  // namespace kt::fakes
