#include "settings/settings_file.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/paths.h"
#include "settings/integer_rule.h"

namespace kt::settings {

namespace {

template <typename Value>
struct Key {
    std::string_view section;
    std::string_view name;
    Value fallback;  // when the key is missing or its text holds no valid value
};

// Every key of the file with its default, in the order of the start-up read.
constexpr Key<std::int32_t> kLeft{"SCR", "left", 0};
constexpr Key<std::int32_t> kTop{"SCR", "top", 0};
constexpr Key<std::int32_t> kHeight{"SCR", "height", 452};
constexpr Key<std::int32_t> kWidth{"SCR", "width", 164};
constexpr Key<std::int32_t> kOpacity{"prog", "value", 220};
constexpr Key<bool> kSort{"prog", "sort", false};
constexpr Key<bool> kAutoHide{"prog", "autohide", false};
constexpr Key<Color> kBackground{"interface", "bgcolor", 0xFFFFFF};
constexpr Key<std::string_view> kFace{"font", "Font1", "MS Sans Serif"};
constexpr Key<Color> kTextColor{"font", "Color1", 0};
constexpr Key<std::int32_t> kCharset{"font", "CharSet1", 204};  // Cyrillic
constexpr Key<std::int32_t> kStyle{"font", "Style1", 0};
constexpr Key<std::int32_t> kSize{"font", "Size1", 8};

// The font keeps at most this many characters of a face name.
constexpr std::size_t kMaxFaceLength = 31;

// A window below this height or width can no longer be grabbed; the next save gives it this
// fixed size in that dimension, not the size a missing key would give.
constexpr int kMinDimension = 10;
constexpr int kRestoredDimension = 100;

class Reader {
  public:
    explicit Reader(const Profile& profile) : profile_(profile) {}

    std::int32_t get(const Key<std::int32_t>& key) const {
        return readInteger(text(key).value_or(""), key.fallback);
    }
    bool get(const Key<bool>& key) const { return readBool(text(key).value_or(""), key.fallback); }
    // Unlike a number, text that is present but empty is a value of its own.
    std::string get(const Key<std::string_view>& key) const {
        return text(key).value_or(std::string(key.fallback));
    }

  private:
    template <typename Value>
    std::optional<std::string> text(const Key<Value>& key) const {
        return profile_.read(std::string(key.section), std::string(key.name));
    }

    const Profile& profile_;
};

class Writer {
  public:
    explicit Writer(Profile& profile) : profile_(profile) {}

    void put(const Key<std::int32_t>& key, std::int32_t value) { write(key, formatInteger(value)); }
    void put(const Key<bool>& key, bool value) { write(key, value ? "1" : "0"); }
    void put(const Key<std::string_view>& key, const std::string& value) { write(key, value); }

  private:
    template <typename Value>
    void write(const Key<Value>& key, const std::string& text) {
        profile_.write(std::string(key.section), std::string(key.name), text);
    }

    Profile& profile_;
};

}  // namespace

std::string settingsFileName(std::string_view exePath) {
    return changeFileExt(exePath, ".ini");
}

void readSettings(const Profile& profile, SettingsHolders& holders) {
    const Reader file{profile};
    holders.setFormLeft(file.get(kLeft));
    holders.setFormTop(file.get(kTop));
    holders.setFormHeight(file.get(kHeight));
    holders.setFormWidth(file.get(kWidth));
    // "prog" is read value, sort, autohide; the save writes sort first.
    holders.setAlphaValue(file.get(kOpacity));
    holders.setSortChecked(file.get(kSort));
    holders.setAutoHideChecked(file.get(kAutoHide));
    holders.setListColor(file.get(kBackground));

    FontDescription font = holders.listFont();
    // An empty face name leaves the font button's own face.
    if (const std::string face = file.get(kFace); !face.empty()) {
        font.name = face.substr(0, kMaxFaceLength);
    }
    font.color = file.get(kTextColor);
    // The character set and the style bit set are one byte each: only the low 8 bits count.
    font.charset = static_cast<std::uint8_t>(file.get(kCharset));
    font.style = static_cast<std::uint8_t>(file.get(kStyle));
    font.size = file.get(kSize);
    holders.setListFont(font);
    holders.refreshFontButton();
}

void savePos(Profile& profile, SettingsHolders& holders) {
    Writer file{profile};
    file.put(kLeft, holders.formLeft());
    file.put(kTop, holders.formTop());
    if (holders.formHeight() < kMinDimension) {
        holders.setFormHeight(kRestoredDimension);
    }
    file.put(kHeight, holders.formHeight());
    if (holders.formWidth() < kMinDimension) {
        holders.setFormWidth(kRestoredDimension);
    }
    file.put(kWidth, holders.formWidth());
    // "prog" is written sort, value, autohide: not the order of the read.
    file.put(kSort, holders.sortChecked());
    file.put(kOpacity, holders.alphaValue());
    file.put(kAutoHide, holders.autoHideChecked());
    file.put(kBackground, holders.listColor());

    const FontDescription font = holders.listFont();
    file.put(kFace, font.name);
    file.put(kTextColor, font.color);
    file.put(kCharset, font.charset);
    file.put(kStyle, font.style);
    file.put(kSize, font.size);
    profile.flush();
}

}  // namespace kt::settings
