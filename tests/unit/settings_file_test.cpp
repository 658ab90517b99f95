#include "settings/settings_file.h"

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/error.h"
#include "tests/unit/fake_profile.h"
#include "tests/unit/fake_settings_holders.h"

namespace kt::settings {
namespace {

using fakes::FakeProfile;
using fakes::FakeSettingsHolders;

// What the first save writes after a start without a settings file.
const std::vector<std::string> kDefaultSave = {
    "SCR/left=0",
    "SCR/top=0",
    "SCR/height=452",
    "SCR/width=164",
    "prog/sort=0",
    "prog/value=220",
    "prog/autohide=0",
    "interface/bgcolor=16777215",
    "font/Font1=MS Sans Serif",
    "font/Color1=0",
    "font/CharSet1=204",
    "font/Style1=0",
    "font/Size1=8",
};

// Holders whose every value differs from its default and from the others.
FakeSettingsHolders customHolders() {
    FakeSettingsHolders holders;
    holders.left = -3;
    holders.top = 4;
    holders.height = 500;
    holders.width = 200;
    holders.alpha = 77;
    holders.sort = true;
    holders.autoHide = false;
    holders.background = 0x123456;
    holders.font = {"Tahoma", -16777208, 0, kBold | kUnderline, 11};
    return holders;
}

const std::vector<std::string> kCustomSave = {
    "SCR/left=-3",       "SCR/top=4",
    "SCR/height=500",    "SCR/width=200",
    "prog/sort=1",       "prog/value=77",
    "prog/autohide=0",   "interface/bgcolor=1193046",
    "font/Font1=Tahoma", "font/Color1=-16777208",
    "font/CharSet1=0",   "font/Style1=5",
    "font/Size1=11",
};

TEST(SettingsFile, WithoutAFileEverySettingTakesItsDefault) {
    FakeProfile profile;
    FakeSettingsHolders holders = customHolders();
    holders.height = 7;

    readSettings(profile, holders);

    EXPECT_EQ(profile.reads(), (std::vector<std::string>{
                                   "SCR/left", "SCR/top", "SCR/height", "SCR/width", "prog/value",
                                   "prog/sort", "prog/autohide", "interface/bgcolor", "font/Font1",
                                   "font/Color1", "font/CharSet1", "font/Style1", "font/Size1"}));
    EXPECT_EQ(holders.calls,
              (std::vector<std::string>{
                  "setFormLeft(0)", "setFormTop(0)", "setFormHeight(452)", "setFormWidth(164)",
                  "setAlphaValue(220)", "setSortChecked(0)", "setAutoHideChecked(0)",
                  "setListColor(16777215)", "setListFont", "refreshFontButton"}));
    EXPECT_EQ(holders.font, (FontDescription{"MS Sans Serif", 0, 204, 0, 8}));

    savePos(profile, holders);
    EXPECT_EQ(profile.writes(), kDefaultSave);
    EXPECT_EQ(profile.flushes(), 1);
}

TEST(SettingsFile, SaveWritesEveryKeyFromItsHolderSortBeforeValue) {
    FakeProfile profile;
    FakeSettingsHolders holders = customHolders();

    savePos(profile, holders);

    EXPECT_EQ(profile.writes(), kCustomSave);
    EXPECT_EQ(profile.flushes(), 1);
}

TEST(SettingsFile, ReadsBackWhatItWrote) {
    FakeProfile profile;
    FakeSettingsHolders saved = customHolders();
    savePos(profile, saved);

    FakeSettingsHolders read;
    readSettings(profile, read);

    EXPECT_EQ(read.left, saved.left);
    EXPECT_EQ(read.top, saved.top);
    EXPECT_EQ(read.height, saved.height);
    EXPECT_EQ(read.width, saved.width);
    EXPECT_EQ(read.alpha, saved.alpha);
    EXPECT_EQ(read.sort, saved.sort);
    EXPECT_EQ(read.autoHide, saved.autoHide);
    EXPECT_EQ(read.background, saved.background);
    EXPECT_EQ(read.font, saved.font);
}

// One key stored by hand; every other key is missing.
struct StoredCase {
    std::string section;
    std::string key;
    std::string stored;
    std::string held;     // the holder's value after the read; booleans as 1 or 0
    std::string written;  // by the next save, which the holder then also holds
};

std::string heldValue(const FakeSettingsHolders& holders, const std::string& key) {
    using std::to_string;
    const std::map<std::string, std::function<std::string()>> held = {
        {"left", [&] { return to_string(holders.left); }},
        {"top", [&] { return to_string(holders.top); }},
        {"height", [&] { return to_string(holders.height); }},
        {"width", [&] { return to_string(holders.width); }},
        {"value", [&] { return to_string(holders.alpha); }},
        {"sort", [&] { return to_string(holders.sort); }},
        {"autohide", [&] { return to_string(holders.autoHide); }},
        {"bgcolor", [&] { return to_string(holders.background); }},
        {"Font1", [&] { return holders.font.name; }},
        {"Color1", [&] { return to_string(holders.font.color); }},
        {"CharSet1", [&] { return to_string(holders.font.charset); }},
        {"Style1", [&] { return to_string(holders.font.style); }},
        {"Size1", [&] { return to_string(holders.font.size); }},
    };
    return held.at(key)();
}

class StoredValue : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredValue, IsReadIntoItsHolderAndWrittenBack) {
    const StoredCase& c = GetParam();
    FakeProfile profile;
    profile.set(c.section, c.key, c.stored);
    FakeSettingsHolders holders;

    readSettings(profile, holders);
    EXPECT_EQ(heldValue(holders, c.key), c.held);

    savePos(profile, holders);
    EXPECT_EQ(heldValue(holders, c.key), c.written);
    std::vector<std::string> expected = kDefaultSave;
    for (auto& line : expected) {
        const std::string prefix = c.section + "/" + c.key + "=";
        if (line.starts_with(prefix)) {
            line = prefix + c.written;
        }
    }
    EXPECT_EQ(profile.writes(), expected);
}

void PrintTo(const StoredCase& c, std::ostream* os) {
    *os << c.section << "/" << c.key << "=\"" << c.stored << "\"";
}

std::string storedCaseName(const ::testing::TestParamInfo<StoredCase>& param) {
    return param.param.key + "_" + std::to_string(param.index);
}

const std::string kLongFace = "Face Name Of Forty Characters Exactly!!!";

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, StoredValue,
    ::testing::Values(
        StoredCase{"SCR", "left", "-1500", "-1500", "-1500"},
        StoredCase{"SCR", "top", "12 ", "0", "0"}, StoredCase{"SCR", "height", "5", "5", "100"},
        StoredCase{"SCR", "height", "10", "10", "10"}, StoredCase{"SCR", "width", "9", "9", "100"},
        StoredCase{"SCR", "width", "0x20", "32", "32"},
        StoredCase{"prog", "value", "300", "255", "255"},
        StoredCase{"prog", "value", "10", "50", "50"},
        StoredCase{"prog", "value", "abc", "220", "220"},
        StoredCase{"prog", "value", "", "220", "220"}, StoredCase{"prog", "sort", "2", "1", "1"},
        StoredCase{"prog", "sort", "-1", "1", "1"}, StoredCase{"prog", "sort", "yes", "0", "0"},
        StoredCase{"prog", "autohide", "1", "1", "1"},
        StoredCase{"interface", "bgcolor", "$0000FF", "255", "255"},
        StoredCase{"interface", "bgcolor", "0x0000FF", "255", "255"},
        StoredCase{"font", "Font1", "", "MS Sans Serif", "MS Sans Serif"},
        StoredCase{"font", "Font1", "Courier New", "Courier New", "Courier New"},
        StoredCase{"font", "Font1", kLongFace, kLongFace.substr(0, 31), kLongFace.substr(0, 31)},
        StoredCase{"font", "Color1", "-16777208", "-16777208", "-16777208"},
        StoredCase{"font", "CharSet1", "460", "204", "204"},
        StoredCase{"font", "CharSet1", "-1", "255", "255"},
        StoredCase{"font", "Style1", "3", std::to_string(kBold | kItalic),
                   std::to_string(kBold | kItalic)},
        StoredCase{"font", "Style1", "$10F", "15", "15"},
        StoredCase{"font", "Size1", "12", "12", "12"}),
    storedCaseName);

TEST(SettingsFile, EmptyFaceKeepsTheFaceTheButtonHas) {
    FakeProfile profile;
    profile.set("font", "Font1", "");
    FakeSettingsHolders holders;
    holders.font.name = "Arial";

    readSettings(profile, holders);

    EXPECT_EQ(holders.font.name, "Arial");
}

class RefusedWrite : public ::testing::TestWithParam<int> {};

TEST_P(RefusedWrite, EndsTheSaveAtThatKey) {
    const int refused = GetParam();
    FakeProfile profile;
    profile.refuseWritesFrom(refused);
    FakeSettingsHolders holders = customHolders();

    try {
        savePos(profile, holders);
        ADD_FAILURE() << "the save went on past a refused write";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + profile.path());
    }

    const std::vector<std::string> before(kCustomSave.begin(), kCustomSave.begin() + refused - 1);
    EXPECT_EQ(profile.writes(), before);
    EXPECT_EQ(profile.flushes(), 0);
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, RefusedWrite, ::testing::Range(1, 14),
                         ::testing::PrintToStringParamName());

// A collapsed window is restored just before its own dimension is written, so a save that fails
// earlier leaves it collapsed.
TEST(SettingsFile, CollapsedWindowIsRestoredJustBeforeItsDimensionIsWritten) {
    struct Case {
        int refused;
        int height;
        int width;
    };
    for (const auto& [refused, height, width] :
         {Case{2, 5, 5}, Case{3, 100, 5}, Case{4, 100, 100}, Case{14, 100, 100}}) {
        SCOPED_TRACE("write " + std::to_string(refused) + " refused");
        FakeProfile profile;
        profile.refuseWritesFrom(refused);
        FakeSettingsHolders holders;
        holders.height = 5;
        holders.width = 5;

        try {
            savePos(profile, holders);
        } catch (const AppError&) {
        }

        EXPECT_EQ(holders.height, height);
        EXPECT_EQ(holders.width, width);
    }
}

TEST(SettingsFile, FileNameIsTheExecutablesWithIniExtension) {
    struct Case {
        std::string exePath;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"C:\\a\\KelTovrel.exe", "C:\\a\\KelTovrel.ini"},
        {"C:\\a\\Renamed.exe", "C:\\a\\Renamed.ini"},
        {"C:\\a\\KelTovrel", "C:\\a\\KelTovrel.ini"},
        {"C:\\a.b\\KelTovrel", "C:\\a.b\\KelTovrel.ini"},
        {"C:\\a\\Kel.Tovrel.exe", "C:\\a\\Kel.Tovrel.ini"},
    };
    for (const auto& [exePath, expected] : cases) {
        SCOPED_TRACE(exePath);
        EXPECT_EQ(settingsFileName(exePath), expected);
    }
}

}  // namespace
}  // namespace kt::settings
