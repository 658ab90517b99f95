#include "settings/opacity_value.h"

#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kt::settings {
namespace {

struct TextCase {
    std::string text;
    int value;      // what the field reports while it holds the text
    int effective;  // the opacity the window takes, and the value a save writes
};

TEST(OpacityValue, TextGivesValueAndConfinedOpacity) {
    const std::vector<TextCase> cases = {
        {"120", 120, 120},
        {"50", 50, 50},
        {"255", 255, 255},
        {"", 50, 50},
        {"abc", 50, 50},
        {"12 ", 50, 50},
        {"$FF", 255, 255},
        // Typed and not yet confirmed: the field keeps the number, the window never takes its
        // low 8 bits.
        {"300", 300, 255},
        {"256", 256, 255},
        {"9", 9, 50},
        {"0", 0, 50},
        {"-5", -5, 50},
        {"2147483647", 2147483647, 255},
    };
    for (const auto& [text, value, effective] : cases) {
        SCOPED_TRACE("text \"" + text + "\"");
        EXPECT_EQ(spinValue(text), value);
        EXPECT_EQ(effectiveOpacity(text), effective);
    }
}

TEST(OpacityValue, StepsStayWithinTheBounds) {
    struct Case {
        int value;
        int delta;
        int expected;
    };
    const std::vector<Case> cases = {
        {120, 1, 121},
        {120, -1, 119},
        {255, 1, 255},
        {50, -1, 50},
        {300, 1, 255},
        {300, -1, 255},
        {9, -1, 50},
        {9, 1, 50},
        {std::numeric_limits<int>::max(), 1, 255},
        {std::numeric_limits<int>::min(), -1, 50},
    };
    for (const auto& [value, delta, expected] : cases) {
        SCOPED_TRACE("value " + std::to_string(value) + ", delta " + std::to_string(delta));
        EXPECT_EQ(step(value, delta), expected);
    }
}

}  // namespace
}  // namespace kt::settings
