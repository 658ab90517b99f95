#include "folders/list_file_format.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace kt::folders {
namespace {

using namespace std::string_literals;
using ::testing::ElementsAreArray;

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<Entry> entries;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadingRules : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadingRules, CutTheBytesIntoEntries) {
    EXPECT_THAT(parseListText(GetParam().bytes), ElementsAreArray(GetParam().entries));
}

INSTANTIATE_TEST_SUITE_P(
    ListFile, ReadingRules,
    ::testing::Values(ReadCase{"EmptyFile", "", {}},
                      ReadCase{"CrLfWithoutFinalLineEnd", "a\r\nb", {"a", "b"}},
                      ReadCase{"FinalLineEndAddsNoEntry", "a\r\nb\r\n", {"a", "b"}},
                      ReadCase{"LoneLfAndLoneCr", "a\nb\rc", {"a", "b", "c"}},
                      ReadCase{"LfThenCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
                      ReadCase{"CrCrLf", "a\r\r\nb", {"a", "", "b"}},
                      ReadCase{"EmptyLineInTheMiddle", "a\r\n\r\nb\r\n", {"a", "", "b"}},
                      ReadCase{"EmptyLineAtTheStart", "\r\na\r\n", {"", "a"}},
                      ReadCase{"TwoCrLfAtTheEndGiveAnEmptyLastEntry", "a\r\n\r\n", {"a", ""}},
                      ReadCase{"OnlyALineEnd", "\r\n", {""}}, ReadCase{"FinalLoneCr", "a\r", {"a"}},
                      ReadCase{"FinalLfCr", "a\n\r", {"a", ""}},
                      ReadCase{"NulEndsTheText", "a\r\nb\0c\r\nd\r\n"s, {"a", "b"}},
                      ReadCase{"NulRightAfterALineEnd", "a\r\n\0b"s, {"a"}},
                      ReadCase{"NulFirst", "\0a\r\n"s, {}},
                      ReadCase{"BlanksAndHighBytesStay",
                               " C:\\x \t\r\n\xC4\xE8\xF0\x01\r\n",
                               {" C:\\x \t", "\xC4\xE8\xF0\x01"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ListFileWriting, EveryEntryIsFollowedByCrLf) {
    EXPECT_EQ(serializeList({}), "");
    EXPECT_EQ(serializeList({""}), "\r\n");
    EXPECT_EQ(serializeList({"a", "", " b "}), "a\r\n\r\n b \r\n");
}

TEST(ListFileWriting, WhatIsReadIsWrittenInTheCanonicalForm) {
    // The file "a CR LF b" with no final line end is saved back with one.
    EXPECT_EQ(serializeList(parseListText("a\r\nb")), "a\r\nb\r\n");
    EXPECT_EQ(serializeList(parseListText("a\nb\rc")), "a\r\nb\r\nc\r\n");
    // The rest of the file after a NUL is dropped by the next save.
    EXPECT_EQ(serializeList(parseListText("a\r\nb\0c\r\n"s)), "a\r\nb\r\n");
}

TEST(ListFileWriting, EntriesSurviveARoundTrip) {
    const std::vector<std::vector<Entry>> lists = {
        {}, {""}, {"", ""}, {"C:\\Users", "", "  D:\\x  ", "\xC0\xC1"}, {"a", "", ""},
    };
    for (const auto& entries : lists) {
        EXPECT_THAT(parseListText(serializeList(entries)), ElementsAreArray(entries));
    }
}

}  // namespace
}  // namespace kt::folders
