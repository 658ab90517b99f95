#pragma once
// The directory list held in memory, as the list control would hold it, for the tests of the
// list rules. It counts the edits so that a test can tell a targeted change from a refill of the
// whole control. Free of any test framework, so the fuzz harness uses it too.

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/list_items.h"

namespace kt::test {

class InMemoryList : public ListItems {
  public:
    InMemoryList() = default;
    explicit InMemoryList(std::vector<Entry> entries, int itemIndex = -1)
        : entries_(std::move(entries)), itemIndex_(itemIndex) {}

    const std::vector<Entry>& entries() const override { return entries_; }

    // Like the list control, the selection stays on the same entry when others come or go
    // before it, and is lost with the entry itself.
    void insert(std::size_t index, Entry entry) override {
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
        if (itemIndex_ >= 0 && static_cast<std::size_t>(itemIndex_) >= index) {
            ++itemIndex_;
        }
        ++inserts;
    }
    void erase(std::size_t index) override {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
        if (itemIndex_ >= 0) {
            const auto selected = static_cast<std::size_t>(itemIndex_);
            itemIndex_ = selected == index ? -1 : selected > index ? itemIndex_ - 1 : itemIndex_;
        }
        ++erases;
    }
    void assign(std::vector<Entry> entries) override {
        entries_ = std::move(entries);
        itemIndex_ = -1;
        ++assigns;
    }

    int itemIndex() const override { return itemIndex_; }
    void setItemIndex(int index) override {
        itemIndex_ = index >= 0 && index < count() ? index : -1;
    }

    bool sorted() const override { return sorted_; }
    void setSortedFlag(bool sorted) override { sorted_ = sorted; }

    int inserts = 0;
    int erases = 0;
    int assigns = 0;

  private:
    std::vector<Entry> entries_;
    int itemIndex_ = -1;
    bool sorted_ = false;
};

}  // namespace kt::test
