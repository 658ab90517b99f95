// The settings file through the Windows private-profile routines, under Wine.

#include "platform/error.h"
#include "platform/ini_file_win.h"
#include "platform/text_win.h"
#include "tests/win/temp_directory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

namespace kt {
namespace {

class IniFileTest : public ::testing::Test {
  protected:
    TempDirectory temp_;
    const std::filesystem::path& directory_ = temp_.path();
    const std::string path_ = temp_.ansiPath("KelTovrel.ini");
};

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsAsNothingAndEmptyValueAsEmpty) {
    IniFile ini(path_);
    EXPECT_EQ(ini.read("prog", "value"), std::nullopt);
    std::ofstream(directory_ / "KelTovrel.ini") << "[prog]\nvalue=\nsort=1\n";
    EXPECT_EQ(ini.read("prog", "value"), "");
    EXPECT_EQ(ini.read("prog", "sort"), "1");
    EXPECT_EQ(ini.read("prog", "autohide"), std::nullopt);
    EXPECT_EQ(ini.read("SCR", "left"), std::nullopt);
}

TEST_F(IniFileTest, WritesReadBackAndKeepOtherLines) {
    std::ofstream(directory_ / "KelTovrel.ini") << "[mine]\nkeep=yes\n";
    IniFile ini(path_);
    ini.write("SCR", "left", "-1500");
    ini.write("font", "Font1", "Courier New");
    ini.flush();
    EXPECT_EQ(ini.read("SCR", "left"), "-1500");
    EXPECT_EQ(ini.read("font", "Font1"), "Courier New");
    EXPECT_EQ(ini.read("mine", "keep"), "yes");
}

TEST_F(IniFileTest, LongValuesAreCutAt2047Characters) {
    IniFile ini(path_);
    ini.write("font", "Font1", std::string(3000, 'x'));
    ini.flush();
    EXPECT_EQ(ini.read("font", "Font1"), std::string(2047, 'x'));
}

TEST_F(IniFileTest, RefusedWriteRaisesUnableToWriteWithTheFullPath) {
    const std::string path = narrow((directory_ / "missing" / "KelTovrel.ini").wstring());
    IniFile ini(path);
    try {
        ini.write("SCR", "left", "0");
        FAIL() << "the write reported success";
    } catch (const AppError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

}  // namespace
}  // namespace kt
