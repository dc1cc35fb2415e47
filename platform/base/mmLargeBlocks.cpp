#include "platform/base/mmLargeBlocks.h"

#include "platform/base/assertions.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>

namespace Zv {
namespace {

constexpr size_t kPage = size_t(4) << 10;
constexpr size_t kHugePage = size_t(2) << 20;
// Below this the heap serves well enough.
constexpr size_t kLargeBlock = size_t(64) << 10;
constexpr size_t kMaxKeptBytes = size_t(256) << 20;

struct Block {
    void* start;
    size_t size; // mapped bytes
};

// Blocks handed out and blocks kept for reuse, both few: a layout uses about a dozen.
struct BlockTable {
    std::mutex mutex;
    std::vector<Block> live;
    std::vector<Block> kept; // oldest first
    size_t keptBytes = 0;

    ~BlockTable() {
        for (const Block& block : kept) munmap(block.start, block.size);
    }
};

BlockTable& getTable() {
    static BlockTable table;
    return table;
}

size_t roundUp(size_t bytes, size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

// Blocks of a huge page and more are made of huge pages; smaller ones of ordinary pages.
Block mapBlock(size_t bytes) {
    const size_t unit = bytes >= kHugePage ? kHugePage : kPage;
    const size_t size = roundUp(bytes, unit);
    // Mapped one unit longer, so the block can start on a boundary of its unit.
    void* mapped = mmap(nullptr, size + unit, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<uintptr_t>(mapped);
    const uintptr_t aligned = roundUp(start, unit);
    if (aligned > start) munmap(mapped, aligned - start);
    if (const uintptr_t tail = start + unit - aligned) munmap(reinterpret_cast<void*>(aligned + size), tail);
    // Only advice: where huge pages are off, the block works with ordinary pages.
    if (unit == kHugePage) madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return {reinterpret_cast<void*>(aligned), size};
}

// The smallest kept block that holds the request, taken out of the kept list.
bool takeKept(BlockTable& table, size_t bytes, Block& out) {
    auto best = table.kept.end();
    for (auto it = table.kept.begin(); it != table.kept.end(); ++it)
        if (it->size >= bytes && (best == table.kept.end() || it->size < best->size)) best = it;
    if (best == table.kept.end()) return false;
    out = *best;
    table.keptBytes -= best->size;
    table.kept.erase(best);
    return true;
}

} // namespace

void* mmAllocateLarge(size_t bytes) {
    if (bytes < kLargeBlock) return ::operator new(bytes);
    BlockTable& table = getTable();
    std::lock_guard lock(table.mutex);
    Block block;
    if (!takeKept(table, bytes, block)) block = mapBlock(bytes);
    table.live.push_back(block);
    return block.start;
}

void mmFreeLarge(void* start, size_t bytes) {
    if (!start) return;
    if (bytes < kLargeBlock) {
        ::operator delete(start);
        return;
    }
    BlockTable& table = getTable();
    std::lock_guard lock(table.mutex);
    auto live = std::find_if(table.live.begin(), table.live.end(),
                             [start](const Block& block) { return block.start == start; });
    ZV_ASSERT(live != table.live.end());
    const Block block = *live;
    table.live.erase(live);
    table.kept.push_back(block);
    table.keptBytes += block.size;
    while (table.keptBytes > kMaxKeptBytes) {
        table.keptBytes -= table.kept.front().size;
        munmap(table.kept.front().start, table.kept.front().size);
        table.kept.erase(table.kept.begin());
    }
}

} // namespace Zv
