#include "folders/list_file_format.h"

#include <cstring>

namespace kt::folders {

namespace {

// A file of many short paths has its line ends close together, so the scan looks for the next CR
// and the next LF separately with memchr and keeps each position until the cut passes it: every
// byte is looked at about twice, in memchr's wide steps rather than one by one.
class LineEndScanner {
  public:
    LineEndScanner(const char* begin, const char* end)
        : end_(end), nextCr_(find(begin, '\r')), nextLf_(find(begin, '\n')) {}

    // The first CR or LF at or after `from`, or the end of the text.
    const char* next(const char* from) {
        if (nextCr_ < from) {
            nextCr_ = find(from, '\r');
        }
        if (nextLf_ < from) {
            nextLf_ = find(from, '\n');
        }
        return nextCr_ < nextLf_ ? nextCr_ : nextLf_;
    }

  private:
    const char* find(const char* from, char byte) const {
        const void* hit = std::memchr(from, byte, static_cast<std::size_t>(end_ - from));
        return hit != nullptr ? static_cast<const char*>(hit) : end_;
    }

    const char* end_;
    const char* nextCr_;
    const char* nextLf_;
};

// A directory path is rarely shorter than this; the guess spares the vector its regrowth for
// most lists and is never a limit.
constexpr std::size_t kTypicalEntryBytes = 32;

}  // namespace

std::vector<Entry> parseListText(std::string_view bytes) {
    std::vector<Entry> entries;
    if (bytes.empty()) {
        return entries;
    }
    if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()); nul != nullptr) {
        bytes =
            bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
    }
    if (bytes.empty()) {
        return entries;
    }
    entries.reserve(bytes.size() / kTypicalEntryBytes + 1);

    const char* pos = bytes.data();
    const char* const end = pos + bytes.size();
    LineEndScanner scanner(pos, end);
    while (pos < end) {
        const char* lineEnd = scanner.next(pos);
        entries.emplace_back(pos, static_cast<std::size_t>(lineEnd - pos));
        if (lineEnd == end) {
            break;
        }
        // CR LF is one line end; a lone CR, a lone LF, and LF followed by CR are not joined.
        pos = lineEnd + 1;
        if (*lineEnd == '\r' && pos < end && *pos == '\n') {
            ++pos;
        }
    }
    return entries;
}

std::string serializeList(const std::vector<Entry>& entries) {
    std::size_t size = 0;
    for (const Entry& entry : entries) {
        size += entry.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const Entry& entry : entries) {
        text += entry;
        text += "\r\n";
    }
    return text;
}

}  // namespace kt::folders
