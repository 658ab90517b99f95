#include "folders/hover.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kt::folders {
namespace {

using ::testing::ElementsAreArray;

constexpr int kRowHeight = 16;
constexpr int kClientWidth = 90;
constexpr int kClientHeight = 200;
constexpr int kOuterWidth = 100;

// Widths in pixels of the entries' texts, around the limit of the outer width less 4.
const std::map<Entry, int> kTextWidths = {
    {"C:\\short", 50},
    {"C:\\fits", 96},
    {"C:\\too wide", 97},
};

// A list without scrolling, one row per entry from the top, that writes down what the hover
// handler does to it.
class RecordingView : public HoverView {
  public:
    std::vector<Entry> rows;
    int selected = -1;
    Entry hint;
    std::vector<std::string> log;
    std::function<void()> waitingMessages;

    int itemAt(int x, int y) const override {
        if (x < 0 || x >= kClientWidth || y < 0 || y >= kClientHeight) {
            return -1;
        }
        const int row = y / kRowHeight;
        return row < count() ? row : -1;
    }
    int count() const override { return static_cast<int>(rows.size()); }
    const Entry& entry(int index) const override {
        return rows.at(static_cast<std::size_t>(index));
    }
    int textWidth(int index) const override {
        const_cast<RecordingView*>(this)->log.push_back("measure " + std::to_string(index));
        return kTextWidths.at(entry(index));
    }
    int outerWidth() const override { return kOuterWidth; }
    int itemIndex() const override { return selected; }
    void setItemIndex(int index) override {
        log.push_back("select " + std::to_string(index));
        selected = index < count() ? index : -1;
    }
    void setHandCursor(bool hand) override { log.push_back(hand ? "hand" : "arrow"); }
    void processWaitingMessages() override {
        log.push_back("messages");
        if (auto run = std::exchange(waitingMessages, nullptr)) {
            run();
        }
    }
    void cancelHint() override { log.push_back("cancel tooltip"); }
    void setHint(const Entry& text) override {
        log.push_back("hint '" + text + "'");
        hint = text;
    }
    void focusList() override { log.push_back("focus"); }
    void enableTimer() override { log.push_back("timer"); }
};

struct Point {
    int x;
    int y;
};

constexpr Point rowOf(int row) {
    return {5, row * kRowHeight + 3};
}

struct HoverCase {
    const char* name;
    std::vector<Entry> rows;
    int lastHover;
    int selected;
    Point move;
    // A pointer movement, or the removal of a row, waiting when the handler lets messages run.
    std::optional<Point> waitingMove;
    std::optional<int> waitingRemoval;
    std::vector<std::string> log;
    int lastHoverAfter;
    int selectedAfter;
    Entry hintAfter;
};

void PrintTo(const HoverCase& c, std::ostream* os) {
    *os << c.name;
}

const std::vector<Entry> kRows = {"C:\\short", "C:\\fits", "C:\\too wide"};

class Hover : public ::testing::TestWithParam<HoverCase> {};

TEST_P(Hover, SelectsMeasuresAndGivesTheTooltip) {
    const HoverCase& c = GetParam();
    RecordingView view;
    view.rows = c.rows;
    view.selected = c.selected;
    int lastHover = c.lastHover;
    if (c.waitingMove) {
        view.waitingMessages = [&] {
            view.log.push_back("[");
            onListMouseMove(view, lastHover, c.waitingMove->x, c.waitingMove->y);
            view.log.push_back("]");
        };
    } else if (c.waitingRemoval) {
        view.waitingMessages = [&] {
            view.rows.erase(view.rows.begin() + *c.waitingRemoval);
            view.selected = -1;
        };
    }

    onListMouseMove(view, lastHover, c.move.x, c.move.y);

    EXPECT_THAT(view.log, ElementsAreArray(c.log));
    EXPECT_EQ(lastHover, c.lastHoverAfter);
    EXPECT_EQ(view.selected, c.selectedAfter);
    EXPECT_EQ(view.hint, c.hintAfter);
}

// What a move onto a newly hovered row does up to the measuring.
#define NEW_ENTRY(row) "timer", "hand", "messages", "cancel tooltip", "hint ''", "measure " #row

INSTANTIATE_TEST_SUITE_P(
    DirectoryList, Hover,
    ::testing::Values(HoverCase{"FirstMoveOntoTheFirstEntry",
                                kRows,
                                kNoHover,
                                -1,
                                rowOf(0),
                                {},
                                {},
                                {NEW_ENTRY(0), "cancel tooltip", "select 0", "focus"},
                                0,
                                0,
                                ""},
                      HoverCase{"WithinTheSameEntryNothingIsMeasuredOrSelectedAgain",
                                kRows,
                                2,
                                2,
                                {80, 2 * kRowHeight + 15},
                                {},
                                {},
                                {"timer", "hand", "focus"},
                                2,
                                2,
                                ""},
                      HoverCase{"BelowTheLastEntry",
                                kRows,
                                1,
                                1,
                                {5, 3 * kRowHeight},
                                {},
                                {},
                                {"timer", "select -1", "arrow"},
                                -1,
                                -1,
                                ""},
                      HoverCase{"OutsideTheClientArea",
                                kRows,
                                1,
                                1,
                                {kClientWidth, 3},
                                {},
                                {},
                                {"timer", "select -1", "arrow"},
                                -1,
                                -1,
                                ""},
                      HoverCase{"TextExactlyOuterWidthLess4GetsNoTooltip",
                                kRows,
                                0,
                                0,
                                rowOf(1),
                                {},
                                {},
                                {NEW_ENTRY(1), "cancel tooltip", "select 1", "focus"},
                                1,
                                1,
                                ""},
                      HoverCase{"TextOnePixelWiderGetsItsWholeTextAsTooltip",
                                kRows,
                                0,
                                0,
                                rowOf(2),
                                {},
                                {},
                                {NEW_ENTRY(2), "hint 'C:\\too wide'", "select 2", "focus"},
                                2,
                                2,
                                "C:\\too wide"},
                      // The hovered entry 1 was deleted; row 1 now shows the next entry.
                      HoverCase{"AfterTheHoveredRowWasDeletedMovingWithinItDoesNotSelect",
                                {"C:\\short", "C:\\too wide"},
                                1,
                                -1,
                                rowOf(1),
                                {},
                                {},
                                {"timer", "hand", "focus"},
                                1,
                                -1,
                                ""},
                      HoverCase{"NestedRunOntoTheSameEntrySelectsItOnce",
                                kRows,
                                kNoHover,
                                -1,
                                rowOf(2),
                                rowOf(2),
                                {},
                                {"timer", "hand", "messages", "[", NEW_ENTRY(2),
                                 "hint 'C:\\too wide'", "select 2", "focus", "]", "cancel tooltip",
                                 "hint ''", "measure 2", "hint 'C:\\too wide'", "focus"},
                                2,
                                2,
                                "C:\\too wide"},
                      HoverCase{"NestedRunOntoAnotherEntryStillSelectsThisOne",
                                kRows,
                                kNoHover,
                                -1,
                                rowOf(0),
                                rowOf(2),
                                {},
                                {"timer", "hand", "messages", "[", NEW_ENTRY(2),
                                 "hint 'C:\\too wide'", "select 2", "focus", "]", "cancel tooltip",
                                 "hint ''", "measure 0", "cancel tooltip", "select 0", "focus"},
                                0,
                                0,
                                ""},
                      HoverCase{"NestedRunBelowTheLastEntry",
                                kRows,
                                0,
                                0,
                                rowOf(1),
                                Point{5, 150},
                                {},
                                {"timer", "hand", "messages", "[", "timer", "select -1", "arrow",
                                 "]", "cancel tooltip", "hint ''", "measure 1", "cancel tooltip",
                                 "select 1", "focus"},
                                1,
                                1,
                                ""},
                      HoverCase{"EntryRemovedWhileMessagesRanIsNeitherMeasuredNorSelected",
                                kRows,
                                0,
                                0,
                                rowOf(2),
                                {},
                                2,
                                {"timer", "hand", "messages", "cancel tooltip", "hint ''"},
                                0,
                                -1,
                                ""}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

#undef NEW_ENTRY

}  // namespace
}  // namespace kt::folders
