// Arbitrary bytes as a list file, and as a list plus a text for the add: the reading rules never
// leave a line end or NUL in an entry, writing and reading again gives the same entries, and the
// add with its targeted tidying gives exactly the list that the full rebuild would give.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "folders/directory_list.h"
#include "folders/list_file_format.h"
#include "tests/unit/in_memory_list.h"

namespace {

using kt::Entry;
using namespace kt::folders;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool isBlank(char byte) {
    return static_cast<unsigned char>(byte) <= 0x20;
}

void checkReadingAndWriting(std::string_view bytes) {
    const std::vector<Entry> entries = parseListText(bytes);
    for (const Entry& entry : entries) {
        check(entry.find_first_of(std::string_view("\r\n\0", 3)) == Entry::npos,
              "an entry holds CR, LF or NUL");
    }
    const std::string written = serializeList(entries);
    check(parseListText(written) == entries, "writing and reading again changes the entries");
    check(serializeList(parseListText(written)) == written,
          "a written file reads back differently");
}

// The add as the list control would do it with a refill of the whole list.
std::vector<Entry> addByRebuild(std::vector<Entry> entries, bool sorted, std::string_view text) {
    const auto place = sorted ? static_cast<std::ptrdiff_t>(sortedInsertPosition(entries, text))
                              : static_cast<std::ptrdiff_t>(entries.size());
    entries.insert(entries.begin() + place, Entry(text));
    entries = parseListText(trimControlBytes(serializeList(entries)));
    if (sorted) {
        std::stable_sort(entries.begin(), entries.end(), collatesBefore);
    }
    return entries;
}

bool isTidy(const std::vector<Entry>& entries) {
    return entries.empty() || (!entries.front().empty() && !isBlank(entries.front().front()) &&
                               !entries.back().empty() && !isBlank(entries.back().back()));
}

// Input: one byte of flags, one byte for the length of the text, the text at the end, and the
// list file's bytes before it.
void checkAdd(std::string_view bytes) {
    if (bytes.size() < 2) {
        return;
    }
    const bool sorted = (bytes[0] & 1) != 0;
    const std::size_t textLength =
        std::min<std::size_t>(static_cast<unsigned char>(bytes[1]) % 64, bytes.size() - 2);
    const std::string_view rest = bytes.substr(2);
    const std::string_view fileBytes = rest.substr(0, rest.size() - textLength);
    std::string text(rest.substr(rest.size() - textLength));

    kt::test::InMemoryList list;
    list.setSortedFlag(sorted);
    loadEntries(list, parseListText(fileBytes));
    const std::vector<Entry> before = list.entries();
    const bool wasTidy = isTidy(before);
    list.setItemIndex(before.empty() ? -1 : 0);
    list.inserts = list.erases = list.assigns = 0;

    const AddOutcome outcome = addDirectory(list, text);

    check(text.find('\0') == std::string::npos, "the field keeps a NUL");
    check(text.empty() || (!isBlank(text.front()) && !isBlank(text.back())),
          "the field is not trimmed");
    if (outcome != AddOutcome::Added) {
        check(text.empty() == (outcome == AddOutcome::Empty), "wrong reason to refuse");
        check(outcome != AddOutcome::Duplicate ||
                  std::find(before.begin(), before.end(), text) != before.end(),
              "a duplicate of no entry");
        check(list.entries() == before, "a refused add changed the list");
        check(list.itemIndex() == (before.empty() ? -1 : 0), "a refused add changed the selection");
        return;
    }
    check(std::find(before.begin(), before.end(), text) == before.end(), "a duplicate was added");
    check(list.entries() == addByRebuild(before, sorted, text), "differs from the full rebuild");
    check(list.itemIndex() == -1, "an entry is selected after the add");
    // With sorting, the rebuild's re-sorting may bring an entry with leading blanks to the front.
    check(sorted || isTidy(list.entries()), "the ends of the list are not tidy");
    check(!sorted || std::is_sorted(list.entries().begin(), list.entries().end(), collatesBefore),
          "the sorted list is out of order");
    if (text.find_first_of("\r\n") == std::string::npos) {
        check(std::find(list.entries().begin(), list.entries().end(), text) != list.entries().end(),
              "the added text is not in the list");
        if (wasTidy) {
            check(list.inserts == 1 && list.erases == 0 && list.assigns == 0,
                  "a tidy list got more than the new entry");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkReadingAndWriting(bytes);
    checkAdd(bytes);
    return 0;
}
