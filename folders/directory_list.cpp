#include "folders/directory_list.h"

#include <algorithm>
#include <iterator>

#include "folders/list_file_format.h"

namespace kt::folders {

namespace {

constexpr std::size_t kMaxEntriesDroppedOneByOne = 8;

bool isBlank(char byte) {
    return static_cast<unsigned char>(byte) <= 0x20;
}

std::string_view trimStart(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    return text.substr(static_cast<std::size_t>(first - text.begin()));
}

std::string_view trimEnd(std::string_view text) {
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank);
    return text.substr(0, static_cast<std::size_t>(text.rend() - last));
}

bool isBlankEntry(const Entry& entry) {
    return std::all_of(entry.begin(), entry.end(), isBlank);
}

// Exact equality, byte by byte. The paths in one list mostly share their beginning (the drive
// and the parent directories) and differ towards their end, so the last byte is looked at first.
bool sameBytes(std::string_view entry, std::string_view text) {
    return entry.size() == text.size() && (text.empty() || entry.back() == text.back()) &&
           entry == text;
}

unsigned char foldCase(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 'A' && value <= 'Z' ? static_cast<unsigned char>(value - 'A' + 'a') : value;
}

// Where an entry that the rebuild of the list re-adds ahead of the equal entries goes.
std::size_t sortedPositionBeforeEqual(const std::vector<Entry>& entries, std::string_view text) {
    const auto place = std::lower_bound(
        entries.begin(), entries.end(), text,
        [](const Entry& entry, std::string_view t) { return collatesBefore(entry, t); });
    return static_cast<std::size_t>(place - entries.begin());
}

// The text of the field as a window holds it: the text ends at a NUL byte.
void cutAtNul(std::string& text) {
    if (const auto nul = text.find('\0'); nul != std::string::npos) {
        text.resize(nul);
    }
}

// The list after the add as the full rebuild yields it: all entries joined, each followed by
// CR LF, the joined text trimmed and cut into entries again by the reading rules of the list
// file, and in sorted mode each of them re-added at its sorted place. Only a text holding a line
// end goes this way, since the rebuild cuts it into several entries.
void rebuildWholeList(ListItems& list, std::vector<Entry> entries) {
    const std::string joined = serializeList(entries);
    entries = parseListText(trimControlBytes(joined));
    if (list.sorted()) {
        std::stable_sort(entries.begin(), entries.end(), collatesBefore);
    }
    if (entries != list.entries()) {
        list.assign(std::move(entries));
    }
}

// The same result as rebuildWholeList when no entry holds a line end, without touching the
// entries in between: the rebuild can change only the entries at the two ends of the list, so
// only those are edited in the control, and a long list is not refilled for every add.
void tidyEnds(ListItems& list) {
    const std::vector<Entry>& entries = list.entries();
    const auto firstKept = static_cast<std::size_t>(
        std::find_if_not(entries.begin(), entries.end(), isBlankEntry) - entries.begin());
    // The caller has just added an entry with a byte above 0x20, so one is kept.
    const std::size_t lastKept =
        entries.size() - 1 -
        static_cast<std::size_t>(std::find_if_not(entries.rbegin(), entries.rend(), isBlankEntry) -
                                 entries.rbegin());
    const std::size_t droppedAtStart = firstKept;
    const std::size_t droppedAtEnd = entries.size() - 1 - lastKept;

    const std::string_view oldFirst = entries[firstKept];
    const std::string_view oldLast = entries[lastKept];
    std::string newFirst(trimStart(firstKept == lastKept ? trimEnd(oldFirst) : oldFirst));
    std::string newLast(trimEnd(oldLast));
    const bool firstChanged = newFirst.size() != oldFirst.size();
    const bool lastChanged = firstKept != lastKept && newLast.size() != oldLast.size();
    if (droppedAtStart == 0 && droppedAtEnd == 0 && !firstChanged && !lastChanged) {
        return;
    }
    // Each removal at the start moves the whole list; past a few, one refill costs less.
    if (droppedAtStart + droppedAtEnd > kMaxEntriesDroppedOneByOne) {
        rebuildWholeList(list, entries);
        return;
    }

    // Erase from the back so that the indices still to be used stay valid.
    for (std::size_t i = 0; i < droppedAtEnd; ++i) {
        list.erase(list.entries().size() - 1);
    }
    if (lastChanged) {
        list.erase(lastKept);
    }
    if (firstChanged) {
        list.erase(firstKept);
    }
    for (std::size_t i = 0; i < droppedAtStart; ++i) {
        list.erase(0);
    }

    if (!list.sorted()) {
        if (firstChanged) {
            list.insert(0, std::move(newFirst));
        }
        if (lastChanged) {
            list.insert(list.entries().size(), std::move(newLast));
        }
        return;
    }
    // The rebuild re-adds the entries in list order, each at its sorted place: the first entry
    // is re-added before every entry equal to it, the last one after them.
    if (firstChanged) {
        const std::size_t place = sortedPositionBeforeEqual(list.entries(), newFirst);
        list.insert(place, std::move(newFirst));
    }
    if (lastChanged) {
        const std::size_t place = sortedInsertPosition(list.entries(), newLast);
        list.insert(place, std::move(newLast));
    }
}

}  // namespace

std::string_view trimControlBytes(std::string_view text) {
    return trimStart(trimEnd(text));
}

// The collation of the sorted mode: alphabetical and independent of the locale, so that the
// order is the same on every system and the file saved on one reads in the same order on
// another. Bytes are compared one by one as unsigned values after folding the ASCII capitals
// A-Z to a-z; bytes from 0x80 upwards (letters of the code page) compare by their value, so
// their capitals are not folded. A text that is the start of another collates before it.
// Entries equal under the folding keep the order in which they came: an entry added later
// stands after them (see sortedInsertPosition), and switching the sorted mode on is a stable
// sort.
bool collatesBefore(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char left = foldCase(a[i]);
        const unsigned char right = foldCase(b[i]);
        if (left != right) {
            return left < right;
        }
    }
    return a.size() < b.size();
}

std::size_t sortedInsertPosition(const std::vector<Entry>& entries, std::string_view text) {
    const auto place = std::upper_bound(
        entries.begin(), entries.end(), text,
        [](std::string_view t, const Entry& entry) { return collatesBefore(t, entry); });
    return static_cast<std::size_t>(place - entries.begin());
}

void setSorted(ListItems& list, bool on) {
    list.setSortedFlag(on);
    if (!on) {
        return;
    }
    const std::vector<Entry>& entries = list.entries();
    if (std::is_sorted(entries.begin(), entries.end(), collatesBefore)) {
        return;
    }
    std::vector<Entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), collatesBefore);
    list.assign(std::move(sorted));
}

void loadEntries(ListItems& list, std::vector<Entry> entries) {
    if (list.sorted()) {
        std::stable_sort(entries.begin(), entries.end(), collatesBefore);
    }
    list.assign(std::move(entries));
}

AddOutcome addDirectory(ListItems& list, std::string& editText) {
    cutAtNul(editText);
    const std::string_view trimmed = trimControlBytes(editText);
    const auto offset = static_cast<std::size_t>(trimmed.data() - editText.data());
    editText.resize(offset + trimmed.size());
    editText.erase(0, offset);
    if (editText.empty()) {
        return AddOutcome::Empty;
    }

    const std::vector<Entry>& entries = list.entries();
    if (std::any_of(entries.begin(), entries.end(),
                    [&](const Entry& entry) { return sameBytes(entry, editText); })) {
        return AddOutcome::Duplicate;
    }

    const std::size_t place =
        list.sorted() ? sortedInsertPosition(entries, editText) : entries.size();
    if (editText.find_first_of("\r\n") != std::string::npos) {
        std::vector<Entry> added = entries;
        added.insert(added.begin() + static_cast<std::ptrdiff_t>(place), editText);
        rebuildWholeList(list, std::move(added));
    } else {
        list.insert(place, editText);
        tidyEnds(list);
    }
    list.setItemIndex(-1);
    return AddOutcome::Added;
}

void deleteSelected(ListItems& list) {
    const int selected = list.itemIndex();
    if (selected < 0 || selected >= list.count()) {
        return;
    }
    list.erase(static_cast<std::size_t>(selected));
    list.setItemIndex(-1);
}

}  // namespace kt::folders
