#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/mmLargeBlocks.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Zv {

class ScGraph;
class ScNode;

// One automatic layout pass over a scene graph. The diagram is taken as a forest in which every
// node hangs below the consumer of its first outgoing edge; trees are laid out as nested bands.
// Walks are iterative, so chains of any length lay out without deep recursion.
class ScLayout {
public:
    enum Type { LayoutSelected = 0, LayoutAll = 1, LayoutUnplaced = 2 };

    explicit ScLayout(ScGraph& graph);
    void run(Type type);

private:
    // One per node in node-set order, plus the virtual root at index 0.
    struct Record {
        int32_t parent = -1;
        int32_t inputIndex = 0;
        int32_t firstChild = 0; // into _children
        int32_t nbChildren = 0;
        float breadthSize = 0.0f; // the node's size along the breadth axis
    };
    // A record in tree pre-order, where every subtree is one contiguous run, so the walks over the
    // bands read memory in order and touch no node.
    struct TreeSlot {
        int32_t record;
        int32_t parent; // slot of the parent record
        int32_t nbChildren;
        int32_t subtreeSize;
        float breadthSize;
        float breadth;
        float depth;
    };
    // The placed index orders entries by depth cell, then by breadth key; equal keys keep the
    // order they were listed in, which the sequence number records. An entry carries what the
    // collision test needs, so a scan touches neither nodes nor records.
    struct PlacedEntry {
        int32_t cell;
        float key; // the breadth coordinate
        int32_t sequence;
        int32_t record;
        float depth; // the depth coordinate
        float halfExtent; // half the node's size along the breadth axis
    };
    // Where one depth cell's window starts in the placed index, kept between the steps of a slide.
    struct CellCursor {
        int32_t cell;
        size_t older; // into _placed
        size_t newer; // into _fresh
    };
    // A collision box reaches at most two cells.
    struct CellCursors {
        std::array<CellCursor, 2> items;
        int count = 0;
        CellCursor* begin() { return items.data(); }
        CellCursor* end() { return items.data() + count; }
    };

    void buildForest();
    void computeTreeOrder();
    void computeExtents();
    void placeTrees();
    void writePositions(Type type);
    void recentreSelected(const GeRectangle<float>& before);
    void placeUnplaced();
    void placeNew(int32_t record);
    void placeAvoiding(int32_t record, GePoint2<float> pos, float half);
    bool hasNode(int32_t record) const { return record > 0; }
    // The record of a node of this pass, or -1 for a node outside the node set.
    int32_t recordOf(const ScNode& node) const;
    float breadthKey(const GePoint2<float>& p) const { return _orientation == 1 ? p.y : p.x; }
    float depthKey(const GePoint2<float>& p) const { return _orientation == 1 ? p.x : p.y; }
    // Depth cells are two depth steps wide, so a collision box reaches at most two of them.
    int32_t cellOf(float depth) const { return static_cast<int32_t>(std::floor(depth / _cellWidth)); }
    void insertPlaced(int32_t record);
    PlacedEntry makePlacedEntry(int32_t record, int32_t sequence);
    // A closure rather than a function, so that sorting and merging inline it.
    static constexpr auto entryLess = [](const PlacedEntry& a, const PlacedEntry& b) {
        return a.cell < b.cell ||
               (a.cell == b.cell && (a.key < b.key || (a.key == b.key && a.sequence < b.sequence)));
    };
    const Record* findBlocker(const GePoint2<float>& pos, float d, float half, float& e,
                              CellCursors& cursors) const;
    const PlacedEntry* findBlockerInCell(CellCursor& cursor, const GePoint2<float>& pos, float d,
                                         float half) const;
    static constexpr size_t kFreshRunSize = 1024;

    ScGraph& _graph;
    int _orientation;
    float _depthStep;
    float _breadthGap;
    float _cellWidth;
    MmLargeVector<ScNode*> _nodes; // per record, null for the root
    MmLargeVector<Record> _records;
    MmLargeVector<int32_t> _children;
    MmLargeVector<TreeSlot> _slots;
    MmLargeVector<GePoint2<float>> _positions; // per record, as the tree walk places them
    std::vector<ScNode*> _selected;
    MmLargeVector<PlacedEntry> _placed; // sorted by entryLess
    std::vector<PlacedEntry> _fresh; // placed by this call, not yet merged into _placed
    int32_t _nextSequence = 0;
    MmLargeVector<GePoint2<float>> _lastChild; // per parent record
    MmLargeVector<uint8_t> _hasLastChild;
    std::vector<int32_t> _chain;
};

} // namespace Zv
