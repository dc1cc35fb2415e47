#pragma once

#include "platform/base/mmLargeBlocks.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Zv {

// The nodes already placed in one layout pass, ordered by depth cell, then by breadth key, then by
// the order they were listed in. It is a B+ tree of small sorted leaves, so an insertion moves at
// most one leaf's entries whatever the size. Each leaf marks where neighbouring entries stop being
// alike (another cell, another half extent, or keys more than the gap limit apart), and remembers
// how far on either side the run of alike entries at its ends goes, so that a walk along a crowded
// column passes such a run in a few hops whatever its length.
class ScPlacedIndex {
public:
    struct Entry {
        int32_t cell;
        float key;        // the breadth coordinate
        int32_t sequence; // orders equal keys
        int32_t record;
        float depth;      // the depth coordinate
        float halfExtent; // half the node's size along the breadth axis
    };
    // Where an entry lies; a null cursor lies past either end.
    struct Cursor {
        int32_t leaf = -1;
        int32_t slot = 0;
        bool isNull() const { return leaf < 0; }
    };
    // The entries of one depth cell: the depths they hold, and where the last search among them ended.
    struct Cell {
        int32_t id;
        float minDepth;
        float maxDepth;
        Cursor hint;
    };

    static bool isBefore(const Entry& a, const Entry& b) {
        return a.cell < b.cell || (a.cell == b.cell && (a.key < b.key || (a.key == b.key && a.sequence < b.sequence)));
    }

    // Starts over with entries sorted by isBefore; room is made for capacity entries in all.
    void assign(const MmLargeVector<Entry>& sorted, size_t capacity, float gapLimit);
    void insert(const Entry& entry);

    const Entry& at(Cursor c) const { return _leaves[c.leaf].entries[c.slot]; }
    Cursor next(Cursor c) const {
        const Leaf& leaf = _leaves[c.leaf];
        if (c.slot + 1 < leaf.count) return {c.leaf, c.slot + 1};
        return leaf.next < 0 ? Cursor() : Cursor{leaf.next, 0};
    }
    Cursor previous(Cursor c) const {
        if (c.slot > 0) return {c.leaf, c.slot - 1};
        const int32_t before = _leaves[c.leaf].previous;
        return before < 0 ? Cursor() : Cursor{before, _leaves[before].count - 1};
    }
    Cursor last() const;
    // The first entry not before (cell, key). The search starts where the cell's last one ended.
    Cursor seek(Cell& cell, float key) const;
    // The last entry, going forward or backward from c, of the run of alike entries holding c.
    Cursor getRunEnd(Cursor c, bool forward);
    float getGapLimit() const { return _gapLimit; }
    // Null when the cell holds nothing. A cell stays where it is until the next insertion.
    Cell* findCell(int32_t cell);
    // Changes whenever a cell is added or a cell's depths widen.
    uint32_t getCellsVersion() const { return _cellsVersion; }

private:
    static constexpr int kLeafSize = 64;
    static constexpr int kInnerSize = 64;
    // Bulk-built nodes are left a quarter empty, so that the first insertions split nothing.
    static constexpr int kBuildFill = 48;
    static constexpr int kMaxHeight = 16;

    struct Key {
        int32_t cell;
        float key;
        int32_t sequence;
        bool operator<(const Key& o) const {
            return cell < o.cell || (cell == o.cell && (key < o.key || (key == o.key && sequence < o.sequence)));
        }
    };
    struct Leaf {
        int32_t count = 0;
        int32_t previous = -1;
        int32_t next = -1;
        uint64_t breaks = 0; // bit i: entries i and i + 1 are not alike
        // While reachVersion is the index's version: the leaves after this one up to reach[1], and
        // before it down to reach[0], hold alike entries only and join their neighbours (-1: unknown).
        std::array<int32_t, 2> reach{-1, -1};
        uint32_t reachVersion = 0;
        Key nextFirst{}; // the next leaf's first key, kept here to spare a visit; only the first leaf's changes
        std::array<Entry, kLeafSize> entries;
    };
    // Child i holds the keys from firsts[i] up to firsts[i + 1]; firsts[0] only bounds splits.
    struct Inner {
        int32_t count = 0;
        std::array<Key, kInnerSize> firsts;
        std::array<int32_t, kInnerSize> children;
    };
    struct PathStep {
        int32_t inner;
        int32_t child;
    };

    static Key keyOf(const Entry& e) { return {e.cell, e.key, e.sequence}; }
    static int childFor(const Inner& inner, const Key& key);
    bool isAlike(const Entry& a, const Entry& b) const;
    void updateBreaks(Leaf& leaf) const;
    // After an insertion at slot: the marks of the pairs it made, the others moved along.
    void updateBreaksAround(Leaf& leaf, int32_t slot) const;
    int32_t newLeaf();
    int32_t newInner();
    int32_t splitLeaf(int32_t id);
    void insertInLeaf(int32_t id, const Entry& entry, int32_t slot);
    void insertChild(std::array<PathStep, kMaxHeight>& path, int level, const Key& first, int32_t child);
    void buildInnerLevels(MmLargeVector<int32_t> level);
    Cell& noteDepth(const Entry& e);
    // Whether the first entry not before key lies in the leaf or at the start of the next one.
    bool holds(int32_t leaf, const Key& key) const;
    Cursor seekInLeaf(int32_t leaf, const Key& key) const;
    // From a slot of a leaf that holds the key: searches step by step, as the key is near.
    int32_t slotNear(Cursor from, const Key& key) const;
    Cursor seekNear(Cursor from, const Key& key) const;
    static uint32_t slotOf(int32_t cell, uint32_t mask) {
        return (static_cast<uint32_t>(cell) * 0x9E3779B1u) >> 7 & mask;
    }

    MmLargeVector<Leaf> _leaves;
    MmLargeVector<Inner> _inners;
    int32_t _root = -1;
    int _height = 0;              // 0 when empty, 1 when the root is a leaf
    uint32_t _version = 0;        // changes whenever an insertion parts alike neighbours
    std::vector<int32_t> _passed; // leaves a run search went through
    float _gapLimit = 0.0f;
    std::vector<Cell> _cells;
    std::vector<int32_t> _cellTable; // open addressing: index into _cells, or -1
    uint32_t _cellsVersion = 0;
};

} // namespace Zv
