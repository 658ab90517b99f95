// The hover decision runs on every pointer movement over the list. On a 100,000-entry list a
// movement within one entry must cost next to nothing (no measuring, no selecting), and a move
// to another entry one text measurement.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "folders/hover.h"

namespace {

using kt::Entry;
using namespace kt::folders;

// The list as a list box of rows 13 px high, scrolled to its middle; measuring costs what
// a real measurement of the text costs in proportion: one pass over its bytes.
class ListView final : public HoverView {
  public:
    explicit ListView(int count) : topIndex_(count / 2) {
        entries_.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            entries_.push_back("C:\\Users\\someone\\Projects\\directory" + std::to_string(i));
        }
    }
    int itemAt(int x, int y) const override {
        if (x < 0 || y < 0 || x >= 160 || y >= 400) {
            return -1;
        }
        const int index = topIndex_ + y / kRowHeight;
        return index < count() ? index : -1;
    }
    int count() const override { return static_cast<int>(entries_.size()); }
    const Entry& entry(int index) const override {
        return entries_[static_cast<std::size_t>(index)];
    }
    int textWidth(int index) const override {
        int width = 0;
        for (const char c : entry(index)) {
            width += 5 + (c & 1);
        }
        return width;
    }
    int outerWidth() const override { return 160; }
    int itemIndex() const override { return selected_; }
    void setItemIndex(int index) override { selected_ = index; }
    void setHandCursor(bool hand) override { benchmark::DoNotOptimize(hand); }
    void processWaitingMessages() override {}
    void cancelHint() override {}
    void setHint(const Entry& text) override { hint_ = text; }
    void focusList() override {}
    void enableTimer() override {}

    static constexpr int kRowHeight = 13;

  private:
    std::vector<Entry> entries_;
    int topIndex_;
    int selected_ = -1;
    Entry hint_;
};

void BM_HoverWithinOneEntry(benchmark::State& state) {
    ListView view(static_cast<int>(state.range(0)));
    int lastHover = kNoHover;
    onListMouseMove(view, lastHover, 10, 20);
    int x = 10;
    for (auto _ : state) {
        x = x == 10 ? 11 : 10;
        onListMouseMove(view, lastHover, x, 20);
    }
}
BENCHMARK(BM_HoverWithinOneEntry)->Arg(1000)->Arg(100000);

void BM_HoverOntoAnotherEntry(benchmark::State& state) {
    ListView view(static_cast<int>(state.range(0)));
    int lastHover = kNoHover;
    int y = 0;
    for (auto _ : state) {
        y = (y + ListView::kRowHeight) % 390;
        onListMouseMove(view, lastHover, 10, y);
    }
}
BENCHMARK(BM_HoverOntoAnotherEntry)->Arg(1000)->Arg(100000);

}  // namespace
