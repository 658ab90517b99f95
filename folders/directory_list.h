#pragma once
// The operations on the directory list: load, add, delete and the sorted order. The list control
// is the only holder of the list; these rules change it through ListItems and keep its order
// while the sorted flag is on.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/list_items.h"

namespace kt::folders {

// The text without the bytes 0x00 to 0x20 (the space and all control characters) at its start
// and at its end. Bytes from 0x80 upwards are letters of the code page and stay.
std::string_view trimControlBytes(std::string_view text);

// The sorted order: see the definition for the collation.
bool collatesBefore(std::string_view a, std::string_view b);

// Where `text` goes in entries that are in sorted order: after every entry that collates before
// it or equal to it, so an entry added later stands after the equal ones already there.
std::size_t sortedInsertPosition(const std::vector<Entry>& entries, std::string_view text);

// Sets the sorted flag. Switching it on puts the entries in sorted order at once, equal ones
// keeping their order among themselves; switching it off keeps the order the entries have.
void setSorted(ListItems& list, bool on);

// Replaces the whole list by the entries read from the list file; in sorted mode they take
// their sorted places.
void loadEntries(ListItems& list, std::vector<Entry> entries);

enum class AddOutcome { Empty, Duplicate, Added };

// The add button's work on the list, up to but not including the save. `editText` is the
// directory field's text; it is trimmed in place, and the caller shows it in the field again
// whatever the outcome. An empty text, or one equal byte for byte to an entry, changes nothing
// else. Otherwise the text is added at the end, or at its sorted place, and the ends of the
// list are tidied: blank entries at the start and at the end go, and the first and the last
// entry lose their leading and trailing blanks. No entry is selected afterwards.
AddOutcome addDirectory(ListItems& list, std::string& editText);

// Removes the selected entry, if there is one; the entries after it move up, and no entry is
// selected afterwards.
void deleteSelected(ListItems& list);

}  // namespace kt::folders
