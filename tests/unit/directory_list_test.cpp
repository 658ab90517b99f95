#include "folders/directory_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/unit/in_memory_list.h"

namespace kt::folders {
namespace {

using namespace std::string_literals;
using test::InMemoryList;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(TrimControlBytes, StripsBytesUpToSpaceAtBothEndsOnly) {
    EXPECT_EQ(trimControlBytes(""), "");
    EXPECT_EQ(trimControlBytes(" \t\x01\x1f "), "");
    EXPECT_EQ(trimControlBytes("\0 C:\\a b \r\n"s), "C:\\a b");
    // DEL and the code page's letters and non-breaking space are above 0x20 and stay.
    EXPECT_EQ(trimControlBytes("\x7f x \xA0"), "\x7f x \xA0");
}

TEST(Collation, IsCaseInsensitiveForAsciiAndBytewiseOtherwise) {
    struct Pair {
        const char* before;
        const char* after;
    };
    const std::vector<Pair> ordered = {
        {"a", "B"},         {"B", "c"},
        {"C:\\a", "c:\\B"}, {"ab", "ABC"},  // a text before the longer text it starts
        {"[", "Z"},                         // folding puts Z after the punctuation between Z and a
        {"z", "\xC0"},                      // bytes from 0x80 upwards after ASCII, by value
        {"\xC0", "\xE0"},                   // and without folding
        {" x", "a"},                        // a leading blank sorts first
    };
    for (const auto& [before, after] : ordered) {
        EXPECT_TRUE(collatesBefore(before, after)) << before << " < " << after;
        EXPECT_FALSE(collatesBefore(after, before)) << after << " < " << before;
    }
    EXPECT_FALSE(collatesBefore("Abc", "aBC"));
    EXPECT_FALSE(collatesBefore("aBC", "Abc"));
}

TEST(Collation, InsertPositionComesAfterEqualEntries) {
    const std::vector<Entry> entries = {"a", "B", "b", "c"};
    EXPECT_EQ(sortedInsertPosition(entries, ""), 0u);
    EXPECT_EQ(sortedInsertPosition(entries, "A"), 1u);
    EXPECT_EQ(sortedInsertPosition(entries, "b"), 3u);
    EXPECT_EQ(sortedInsertPosition(entries, "bb"), 3u);
    EXPECT_EQ(sortedInsertPosition(entries, "z"), 4u);
    EXPECT_EQ(sortedInsertPosition({}, "z"), 0u);
}

struct AddCase {
    const char* name;
    std::vector<Entry> list;
    bool sorted;
    std::string text;
    AddOutcome outcome;
    std::string fieldAfter;
    std::vector<Entry> listAfter;
};

void PrintTo(const AddCase& c, std::ostream* os) {
    *os << c.name;
}

class Add : public ::testing::TestWithParam<AddCase> {};

TEST_P(Add, TrimsRefusesAddsAndTidiesTheEnds) {
    const AddCase& c = GetParam();
    InMemoryList list(c.list, c.list.empty() ? -1 : 0);
    list.setSortedFlag(c.sorted);
    std::string field = c.text;

    EXPECT_EQ(addDirectory(list, field), c.outcome);

    EXPECT_EQ(field, c.fieldAfter);
    EXPECT_THAT(list.entries(), ElementsAreArray(c.listAfter));
    // A refused text leaves the selection alone; the rebuild after an add leaves none.
    EXPECT_EQ(list.itemIndex(), c.outcome == AddOutcome::Added || c.list.empty() ? -1 : 0);
    EXPECT_EQ(list.sorted(), c.sorted);
}

constexpr bool kUnsorted = false;
constexpr bool kSorted = true;

INSTANTIATE_TEST_SUITE_P(
    DirectoryList, Add,
    ::testing::Values(
        AddCase{"SpacesOnlyEmptiesTheField", {"a"}, kUnsorted, "   ", AddOutcome::Empty, "", {"a"}},
        AddCase{"ControlBytesOnly", {"a"}, kUnsorted, "\t\x01 \x1f", AddOutcome::Empty, "", {"a"}},
        AddCase{"ExactDuplicate",
                {"C:\\a", "C:\\b"},
                kUnsorted,
                "C:\\b",
                AddOutcome::Duplicate,
                "C:\\b",
                {"C:\\a", "C:\\b"}},
        AddCase{"DuplicateOnceTrimmed",
                {"C:\\a", "C:\\b"},
                kSorted,
                " C:\\a\t",
                AddOutcome::Duplicate,
                "C:\\a",
                {"C:\\a", "C:\\b"}},
        AddCase{"OtherLetterCaseIsNew",
                {"C:\\a"},
                kUnsorted,
                "c:\\A",
                AddOutcome::Added,
                "c:\\A",
                {"C:\\a", "c:\\A"}},
        AddCase{"TrailingBackslashIsNew",
                {"C:\\a"},
                kUnsorted,
                "C:\\a\\",
                AddOutcome::Added,
                "C:\\a\\",
                {"C:\\a", "C:\\a\\"}},
        AddCase{"BlanksAroundTheTextAreTrimmed",
                {},
                kUnsorted,
                "  C:\\my dir \t",
                AddOutcome::Added,
                "C:\\my dir",
                {"C:\\my dir"}},
        AddCase{"CodePageLettersStay",
                {},
                kUnsorted,
                " \xCF\xE0\xEF\xEA\xE0\xA0",
                AddOutcome::Added,
                "\xCF\xE0\xEF\xEA\xE0\xA0",
                {"\xCF\xE0\xEF\xEA\xE0\xA0"}},
        AddCase{
            "EmptyFirstEntryGoes", {"", "a"}, kUnsorted, "b", AddOutcome::Added, "b", {"a", "b"}},
        AddCase{"BlankEntriesAtTheStartGoAndTheFirstLosesLeadingBlanks",
                {"", " \t", "  a ", "b"},
                kUnsorted,
                "c",
                AddOutcome::Added,
                "c",
                {"a ", "b", "c"}},
        AddCase{"OnlyBlankEntriesBefore",
                {"", "  ", "\t"},
                kUnsorted,
                "a",
                AddOutcome::Added,
                "a",
                {"a"}},
        AddCase{"EmptyEntriesInTheMiddleStay",
                {"a", "", "", "b"},
                kUnsorted,
                "c",
                AddOutcome::Added,
                "c",
                {"a", "", "", "b", "c"}},
        AddCase{"EmptyLastEntryEndsUpInTheMiddle",
                {"a", ""},
                kUnsorted,
                "b",
                AddOutcome::Added,
                "b",
                {"a", "", "b"}},
        AddCase{"BlankPrefixedEntryInTheMiddleKeepsItsBlank",
                {"a", " b", "c "},
                kUnsorted,
                "b",
                AddOutcome::Added,
                "b",
                {"a", " b", "c ", "b"}},
        AddCase{"TextEndsAtNul", {"a"}, kUnsorted, " b\0c"s, AddOutcome::Added, "b", {"a", "b"}},
        AddCase{"LineEndInTheTextCutsItIntoEntries",
                {"", "a"},
                kUnsorted,
                "b\r\n\r\nc",
                AddOutcome::Added,
                "b\r\n\r\nc",
                {"a", "b", "", "c"}},
        AddCase{"SortedPlace", {"a", "c"}, kSorted, "B", AddOutcome::Added, "B", {"a", "B", "c"}},
        AddCase{"SortedAfterEqualEntries",
                {"A", "b"},
                kSorted,
                "a",
                AddOutcome::Added,
                "a",
                {"A", "a", "b"}},
        AddCase{"SortedBlankEntriesAtTheStartGo",
                {"", " ", "a"},
                kSorted,
                "b",
                AddOutcome::Added,
                "b",
                {"a", "b"}},
        AddCase{"SortedTrimmedFirstEntryMovesToItsPlace",
                {" x", "a", "y"},
                kSorted,
                "b",
                AddOutcome::Added,
                "b",
                {"a", "b", "x", "y"}},
        // The rebuild re-adds the entries in list order: the first ahead of its equals...
        AddCase{"SortedTrimmedFirstEntryGoesBeforeEqualEntries",
                {" b", "B"},
                kSorted,
                "c",
                AddOutcome::Added,
                "c",
                {"b", "B", "c"}},
        // ...and the last after them.
        AddCase{"SortedTrimmedLastEntryGoesAfterEqualEntries",
                {"B", "b "},
                kSorted,
                "a",
                AddOutcome::Added,
                "a",
                {"a", "B", "b"}},
        // The trimmed first entry re-sorts after an entry that begins with a blank.
        AddCase{"SortedRebuildCanBringABlankPrefixedEntryFirst",
                {"  a", " b"},
                kSorted,
                "c",
                AddOutcome::Added,
                "c",
                {" b", "a", "c"}},
        AddCase{"SortedLineEndInTheText",
                {"b", "d"},
                kSorted,
                "e\nc",
                AddOutcome::Added,
                "e\nc",
                {"b", "c", "d", "e"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

std::vector<Entry> paths(int count) {
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back("C:\\Projects\\dir" + std::to_string(100000 + i));
    }
    return entries;
}

TEST(AddCost, ATidyListGetsOnlyTheNewEntry) {
    for (const bool sorted : {false, true}) {
        InMemoryList list(paths(1000));
        list.setSortedFlag(sorted);
        std::string field = "C:\\Projects\\dir100500a";
        ASSERT_EQ(addDirectory(list, field), AddOutcome::Added);
        EXPECT_EQ(list.inserts, 1);
        EXPECT_EQ(list.erases, 0);
        EXPECT_EQ(list.assigns, 0);
        EXPECT_EQ(list.entries()[sorted ? 501 : 1000], field);
    }
}

TEST(AddCost, TidyingEditsOnlyTheEnds) {
    std::vector<Entry> entries = paths(1000);
    entries.insert(entries.begin(), {"", "  C:\\first"});
    InMemoryList list(entries);
    std::string field = "C:\\last";
    ASSERT_EQ(addDirectory(list, field), AddOutcome::Added);
    EXPECT_EQ(list.assigns, 0);
    EXPECT_EQ(list.count(), 1002);
    EXPECT_EQ(list.entries().front(), "C:\\first");
    EXPECT_EQ(list.entries().back(), "C:\\last");
}

TEST(AddCost, ManyBlankEntriesAtTheStartAreDroppedAtOnce) {
    std::vector<Entry> entries(50, " ");
    entries.push_back("a");
    InMemoryList list(entries);
    std::string field = "b";
    ASSERT_EQ(addDirectory(list, field), AddOutcome::Added);
    EXPECT_THAT(list.entries(), ElementsAre("a", "b"));
    EXPECT_LE(list.erases + list.inserts + list.assigns, 2);
}

TEST(SortedMode, SwitchingOnSortsAtOnceKeepingEqualEntriesInOrder) {
    InMemoryList list({"b", "A", "c", "a", "B"}, 2);
    setSorted(list, true);
    EXPECT_TRUE(list.sorted());
    EXPECT_THAT(list.entries(), ElementsAre("A", "a", "b", "B", "c"));
    EXPECT_EQ(list.itemIndex(), -1);
}

TEST(SortedMode, SwitchingOnAnOrderedListLeavesTheControlAlone) {
    InMemoryList list({"A", "a", "b"}, 1);
    setSorted(list, true);
    EXPECT_EQ(list.assigns, 0);
    EXPECT_EQ(list.itemIndex(), 1);
}

TEST(SortedMode, SwitchingOffKeepsTheOrderAndLaterAddsGoToTheEnd) {
    InMemoryList list({"c", "a"});
    setSorted(list, true);
    std::string field = "b";
    ASSERT_EQ(addDirectory(list, field), AddOutcome::Added);
    EXPECT_THAT(list.entries(), ElementsAre("a", "b", "c"));

    setSorted(list, false);
    EXPECT_FALSE(list.sorted());
    field = "B";
    ASSERT_EQ(addDirectory(list, field), AddOutcome::Added);
    EXPECT_THAT(list.entries(), ElementsAre("a", "b", "c", "B"));
}

TEST(Load, ReplacesTheListAndTakesSortedPlacesInSortedMode) {
    InMemoryList list({"old"}, 0);
    loadEntries(list, {"b", "", "A", "a"});
    EXPECT_THAT(list.entries(), ElementsAre("b", "", "A", "a"));
    EXPECT_EQ(list.itemIndex(), -1);

    list.setSortedFlag(true);
    loadEntries(list, {"b", "", "A", "a"});
    EXPECT_THAT(list.entries(), ElementsAre("", "A", "a", "b"));
}

TEST(DeleteSelected, RemovesTheSelectedEntryOnly) {
    struct Case {
        int selected;
        std::vector<Entry> after;
    };
    const std::vector<Case> cases = {
        {0, {"b", "c"}},
        {1, {"a", "c"}},
        {2, {"a", "b"}},
        {-1, {"a", "b", "c"}},
    };
    for (const auto& c : cases) {
        InMemoryList list({"a", "b", "c"}, c.selected);
        deleteSelected(list);
        EXPECT_THAT(list.entries(), ElementsAreArray(c.after)) << "selected " << c.selected;
        EXPECT_EQ(list.itemIndex(), -1);
    }
    InMemoryList empty;
    deleteSelected(empty);
    EXPECT_EQ(empty.count(), 0);
}

}  // namespace
}  // namespace kt::folders
