// The names of the files beside the executable, and the error display's full stop.

#include "platform/error.h"
#include "platform/paths.h"

#include <gtest/gtest.h>

namespace kt {
namespace {

TEST(Paths, DirectoryOfKeepsTheLastSeparator) {
    EXPECT_EQ(directoryOf("C:\\Tools\\Kel\\KelTovrel.exe"), "C:\\Tools\\Kel\\");
    EXPECT_EQ(directoryOf("C:KelTovrel.exe"), "C:");
    EXPECT_EQ(directoryOf("KelTovrel.exe"), "");
}

TEST(ErrorDisplay, FullStopOnlyAfterACharacterThatSortsAfterIt) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Unable to write to C:\\a\\KelTovrel.ini", "Unable to write to C:\\a\\KelTovrel.ini."},
        {"Access denied.", "Access denied."},
        {"Done!", "Done!"},           // '!' sorts before '.'
        {"path C:\\", "path C:\\."},  // '\' sorts after '.'
        {"", ""},
        {"\xD0\xE5", "\xD0\xE5."},  // bytes above 0x7F sort after '.'
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withFullStop(c.text), c.shown) << c.text;
    }
}

}  // namespace
}  // namespace kt
