// The list file's reading and writing, and the add, on lists of ordinary and of unusual length.
// The line-end count is the floor the reading is measured against: one memchr pass over the
// same bytes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "folders/directory_list.h"
#include "folders/list_file_format.h"
#include "tests/unit/in_memory_list.h"

namespace {

using kt::Entry;
using namespace kt::folders;

std::vector<Entry> makePaths(std::int64_t count) {
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        // Spread over the alphabet so that a sorted list is not the insertion order.
        const auto n = static_cast<unsigned>((i * 7919) % count);
        // Six digits for every count, so that all paths have one length and the duplicate search
        // compares the bytes of each.
        entries.push_back("C:\\Users\\someone\\Projects\\dir" + std::to_string(100000 + n));
    }
    return entries;
}

void setBytes(benchmark::State& state, std::size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(bytesPerIteration) * state.iterations());
}

void BM_CountLineEnds(benchmark::State& state) {
    const std::string text = serializeList(makePaths(state.range(0)));
    for (auto _ : state) {
        std::size_t lines = 0;
        const char* pos = text.data();
        const char* const end = pos + text.size();
        while (const void* hit = std::memchr(pos, '\n', static_cast<std::size_t>(end - pos))) {
            ++lines;
            pos = static_cast<const char*>(hit) + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_CountLineEnds)->Arg(1000)->Arg(100000);

void BM_ParseListText(benchmark::State& state) {
    const std::string text = serializeList(makePaths(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseListText(text));
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_ParseListText)->Arg(1000)->Arg(100000);

// The part of the reading that no scan can save: one string per entry, cut at offsets known
// beforehand.
void BM_CopyEntriesAtKnownOffsets(benchmark::State& state) {
    const std::vector<Entry> entries = makePaths(state.range(0));
    const std::string text = serializeList(entries);
    for (auto _ : state) {
        std::vector<Entry> copies;
        copies.reserve(entries.size());
        const char* pos = text.data();
        for (const Entry& entry : entries) {
            copies.emplace_back(pos, entry.size());
            pos += entry.size() + 2;
        }
        benchmark::DoNotOptimize(copies.data());
    }
    setBytes(state, text.size());
}
BENCHMARK(BM_CopyEntriesAtKnownOffsets)->Arg(1000)->Arg(100000);

void BM_SerializeList(benchmark::State& state) {
    const std::vector<Entry> entries = makePaths(state.range(0));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string text = serializeList(entries);
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    setBytes(state, size);
}
BENCHMARK(BM_SerializeList)->Arg(1000)->Arg(100000);

// One successful add into a list of range(0) entries. The list is restored after each add, and
// only the add is timed.
void BM_AddDirectory(benchmark::State& state) {
    const bool sorted = state.range(1) != 0;
    kt::test::InMemoryList list;
    list.setSortedFlag(sorted);
    loadEntries(list, makePaths(state.range(0)));
    const std::string path = "C:\\Users\\someone\\Projects\\dir50000x";
    for (auto _ : state) {
        std::string field = path;
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(addDirectory(list, field));
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
        const auto added = std::find(list.entries().begin(), list.entries().end(), path);
        list.erase(static_cast<std::size_t>(added - list.entries().begin()));
    }
}
BENCHMARK(BM_AddDirectory)
    ->ArgNames({"entries", "sorted"})
    ->UseManualTime()
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1});

// A refused add: the duplicate search over the whole list, the one pass every add makes.
void BM_AddDuplicate(benchmark::State& state) {
    kt::test::InMemoryList list;
    loadEntries(list, makePaths(state.range(0)));
    const std::string last = list.entries().back();
    for (auto _ : state) {
        std::string field = last;
        benchmark::DoNotOptimize(addDirectory(list, field));
    }
}
BENCHMARK(BM_AddDuplicate)->Arg(1000)->Arg(100000);

}  // namespace
