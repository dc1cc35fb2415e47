#include "views/schematic/src/scPlacedIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <vector>

using namespace Zv;

namespace {

using Entry = ScPlacedIndex::Entry;

constexpr float kGapLimit = 10.0f;

bool isAlike(const Entry& a, const Entry& b) {
    return a.cell == b.cell && a.halfExtent == b.halfExtent && double(b.key) - double(a.key) <= kGapLimit;
}

// Keys on a coarse grid, so that equal keys and alike neighbours are common, or, as new nodes at
// the ends of a crowd, beyond every key so far; a few cells and two half extents, the second rare,
// so that runs are long and now and then parted.
Entry randomEntry(std::mt19937& random, int32_t sequence) {
    const auto cell = static_cast<int32_t>(random() % 3);
    const int grid = static_cast<int>(random() % 3600);
    const float key = grid < 3000 ? static_cast<float>(grid) * 2.5f : (grid % 2 ? 1.0f : -1.0f) * (7500.0f + sequence);
    return {cell, key, sequence, sequence, cell * 100.0f, random() % 300 == 0 ? 7.0f : 5.0f};
}

} // namespace

// Entries go in, first in bulk and then one by one in random order, so that leaves and inner nodes
// split everywhere. After each batch the index must read in the order of a plain sorted vector,
// find where a key starts as a binary search of it does, and find a run's end where a walk over
// neighbours does, also after runs have been searched once and then parted by an unlike entry.
TEST(PlacedIndexTest, AgreesWithASortedVector) {
    std::mt19937 random(3);
    std::set<Entry, decltype(&ScPlacedIndex::isBefore)> sorted(&ScPlacedIndex::isBefore);
    MmLargeVector<Entry> bulk;
    for (int32_t i = 0; i < 2000; ++i) bulk.push_back(randomEntry(random, i));
    std::sort(bulk.begin(), bulk.end(), ScPlacedIndex::isBefore);
    ScPlacedIndex index;
    index.assign(bulk, 20000, kGapLimit);
    sorted.insert(bulk.begin(), bulk.end());

    for (int32_t sequence = 2000; sequence < 20000;) {
        for (int i = 0; i < 200; ++i, ++sequence) {
            const Entry entry = randomEntry(random, sequence);
            index.insert(entry);
            sorted.insert(entry);
        }
        const std::vector<Entry> reference(sorted.begin(), sorted.end());
        // Position p of the reference, as a cursor of the index.
        std::vector<ScPlacedIndex::Cursor> cursors;
        for (auto c = index.seek(*index.findCell(0), -INFINITY); !c.isNull(); c = index.next(c)) cursors.push_back(c);
        ASSERT_EQ(cursors.size(), reference.size());
        for (size_t p = 0; p < reference.size(); ++p)
            ASSERT_EQ(index.at(cursors[p]).sequence, reference[p].sequence) << "entry " << p;

        for (int query = 0; query < 1000; ++query) {
            const Entry probe = randomEntry(random, 0);
            const auto found = index.seek(*index.findCell(probe.cell), probe.key);
            const auto expected =
                std::lower_bound(reference.begin(), reference.end(), probe, [](const Entry& a, const Entry& b) {
                    return a.cell < b.cell || (a.cell == b.cell && a.key < b.key);
                });
            ASSERT_EQ(found.isNull(), expected == reference.end());
            if (!found.isNull()) {
                ASSERT_EQ(index.at(found).sequence, expected->sequence);
            }

            const size_t p = random() % reference.size();
            size_t last = p;
            while (last + 1 < reference.size() && isAlike(reference[last], reference[last + 1])) ++last;
            size_t first = p;
            while (first > 0 && isAlike(reference[first - 1], reference[first])) --first;
            ASSERT_EQ(index.at(index.getRunEnd(cursors[p], true)).sequence, reference[last].sequence) << "from " << p;
            ASSERT_EQ(index.at(index.getRunEnd(cursors[p], false)).sequence, reference[first].sequence) << "from " << p;
        }
    }
}
