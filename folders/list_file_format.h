#pragma once
// The list file "list.txt": the directory entries as plain 8-bit text in the system's ANSI code
// page, one entry per line, with no header, count or trailer.

#include <string>
#include <string_view>
#include <vector>

#include "platform/list_items.h"

namespace kt::folders {

// Cuts the file's bytes into entries. A line ends at CR LF, at a lone LF or at a lone CR; LF
// followed by CR is two line ends with an empty entry between them. Text after the last line end
// is the last entry, and a line end at the very end adds no empty entry after it. A NUL byte ends
// the text. An empty file gives no entries. No entry returned holds CR, LF or NUL.
std::vector<Entry> parseListText(std::string_view bytes);

// The file's bytes for the entries: each entry followed by CR LF, the last one included; an
// empty list is an empty file.
std::string serializeList(const std::vector<Entry>& entries);

}  // namespace kt::folders
