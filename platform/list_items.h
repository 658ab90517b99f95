#pragma once
// The directory list as the list control holds it: its entries in display order, the selected
// entry and the sorted flag. The list control is the only owner of the list while the program
// runs; the rules that change it (folders/) talk to it through this interface so that they run
// against an in-memory list in the unit tests.

#include <cstddef>
#include <string>
#include <vector>

namespace kt {

// One directory entry: 8-bit text in the system's ANSI code page, compared byte by byte.
using Entry = std::string;

class ListItems {
  public:
    virtual ~ListItems() = default;

    virtual const std::vector<Entry>& entries() const = 0;
    virtual void insert(std::size_t index, Entry entry) = 0;
    virtual void erase(std::size_t index) = 0;
    // Replaces every entry; no entry is selected afterwards.
    virtual void assign(std::vector<Entry> entries) = 0;

    // -1 when no entry is selected.
    virtual int itemIndex() const = 0;
    virtual void setItemIndex(int index) = 0;

    // Only the flag: the order is kept by folders/directory_list.
    virtual bool sorted() const = 0;
    virtual void setSortedFlag(bool sorted) = 0;

    int count() const { return static_cast<int>(entries().size()); }
};

}  // namespace kt
