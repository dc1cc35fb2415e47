#include "platform/base/mmLargeBlocks.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

using namespace Zv;

// A freed large block serves the next request that fits, so repeated passes reuse warm memory;
// blocks of a huge page and more start on a huge-page boundary.
TEST(LargeBlocksTest, FreedBlocksServeLaterRequestsThatFit) {
    constexpr size_t kMiB = size_t(1) << 20;
    void* big = mmAllocateLarge(5 * kMiB);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(big) % (2 * kMiB), 0u);
    std::memset(big, 0x5a, 5 * kMiB);
    void* small = mmAllocateLarge(200 << 10);
    std::memset(small, 0x33, 200 << 10);

    mmFreeLarge(big, 5 * kMiB);
    mmFreeLarge(small, 200 << 10);
    // The smallest kept block that holds the request is the one taken.
    void* again = mmAllocateLarge(150 << 10);
    EXPECT_EQ(again, small);
    void* larger = mmAllocateLarge(3 * kMiB);
    EXPECT_EQ(larger, big);
    EXPECT_EQ(static_cast<unsigned char*>(larger)[5 * kMiB - 1], 0x5a);
    mmFreeLarge(again, 150 << 10);
    mmFreeLarge(larger, 3 * kMiB);

    MmLargeVector<int64_t> values(1 << 20, 7);
    values.push_back(8);
    EXPECT_EQ(values.front() + values.back(), 15);
}
