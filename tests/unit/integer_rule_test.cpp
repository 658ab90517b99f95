#include "settings/integer_rule.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kt::settings {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct ParseCase {
    std::string text;
    std::optional<std::int32_t> expected;  // nothing: the text holds no valid number
};

TEST(IntegerRule, ReadsWholeNumbersAndRefusesEverythingElse) {
    const std::vector<ParseCase> cases = {
        // Decimal, as the program writes it and as it is written by hand.
        {"0", 0},
        {"220", 220},
        {"-1500", -1500},
        {"16777215", 16777215},
        {"-16777208", -16777208},
        {"+7", 7},
        {"007", 7},
        {" 12", 12},
        {"   -12", -12},
        {"2147483647", kMax},
        {"-2147483648", kMin},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        // Hexadecimal: every marker, either letter case, two's complement.
        {"$0000FF", 255},
        {"0x0000FF", 255},
        {"0X1f", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"$7FFFFFFF", kMax},
        {"$80000000", kMin},
        {"$000000000001", 1},
        {"0x1FFFFFFFF", std::nullopt},
        {"$100000000", std::nullopt},
        // A sign and spaces before a hexadecimal marker; "-" negates with wrap-around.
        {"-$10", -16},
        {"+$10", 16},
        {" $10", 16},
        {" 0x10", 16},
        {"-0x10", -16},
        {"-$FFFFFFFF", 1},
        {"-$80000000", kMin},
        // A marker without digits, or digits that are not hexadecimal.
        {"0x", std::nullopt},
        {"$", std::nullopt},
        {"x", std::nullopt},
        {"0x$10", std::nullopt},
        {"$-1", std::nullopt},
        {"$ 1", std::nullopt},
        {"$FG", std::nullopt},
        {"00x10", std::nullopt},
        // Only leading spaces, one sign, and nothing after the number.
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"\t5", std::nullopt},
        {"- 5", std::nullopt},
        {"--5", std::nullopt},
        {"+-5", std::nullopt},
        {"12 ", std::nullopt},
        {"1.5", std::nullopt},
        {"1,000", std::nullopt},
        {"12a", std::nullopt},
        {"$10 ", std::nullopt},
        {"abc", std::nullopt},
        {"yes", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE("text \"" + text + "\"");
        EXPECT_EQ(parseInteger(text), expected);
    }
}

TEST(IntegerRule, FallbackOnlyWhenTheTextHoldsNoNumber) {
    EXPECT_EQ(readInteger("", 452), 452);
    EXPECT_EQ(readInteger("abc", 220), 220);
    EXPECT_EQ(readInteger("0", 452), 0);
    EXPECT_EQ(readInteger("$FFFFFFFF", 452), -1);
}

TEST(IntegerRule, BooleanIsAnyNonZeroNumber) {
    struct Case {
        std::string text;
        bool fallback;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"1", false, true}, {"2", false, true},   {"-1", false, true},   {"$10", false, true},
        {"0", true, false}, {"-0", true, false},  {"yes", false, false}, {"yes", true, true},
        {"", true, true},   {"true", true, true}, {"1 ", false, false},
    };
    for (const auto& [text, fallback, expected] : cases) {
        SCOPED_TRACE("text \"" + text + "\", fallback " + (fallback ? "true" : "false"));
        EXPECT_EQ(readBool(text, fallback), expected);
    }
}

TEST(IntegerRule, WritesPlainDecimal) {
    EXPECT_EQ(formatInteger(0), "0");
    EXPECT_EQ(formatInteger(255), "255");
    EXPECT_EQ(formatInteger(-16777208), "-16777208");
    EXPECT_EQ(formatInteger(kMax), "2147483647");
    EXPECT_EQ(formatInteger(kMin), "-2147483648");
}

}  // namespace
}  // namespace kt::settings
