#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/mmLargeBlocks.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scPlacedIndex.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace Zv {

class ScNode;

// One automatic layout pass over a scene graph. The diagram is taken as a forest in which every
// node hangs below the consumer of its first outgoing edge; trees are laid out as nested bands.
// Walks are iterative, so chains of any length lay out without deep recursion.
class ScLayout {
public:
    using enum ScGraph::LayoutType;

    explicit ScLayout(ScGraph& graph);
    void run(ScGraph::LayoutType type);

private:
    // One per node in node-set order, plus the virtual root at index 0.
    struct Record {
        int32_t parent = -1;
        int32_t inputIndex = 0;
        int32_t firstChild = 0; // into _children
        int32_t nbChildren = 0;
        float breadthSize = 0.0f; // the node's size along the breadth axis
        bool placed = false;      // the node's placed flag as the pass found it
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
    // Per record while unplaced nodes are placed: the record's own placement, and what its inputs
    // need, in one place. Nodes are told their new positions at the end, in node order.
    struct Spot {
        enum State : uint8_t { Unplaced, Queued, PlacedBefore, PlacedNow, Told };
        GePoint2<float> position;
        GePoint2<float> lastChild; // where the input placed last in this pass stands
        GePoint2<float> tab;       // where the record's link meets its consumer, once asked for
        int32_t nbPlacedChildren = 0;
        State state = Unplaced;
        bool hasLastChild = false;
        bool hasTab = false;
    };
    // The cells a box reaches from one depth, kept while the index's cells stay as they were.
    struct WindowSet {
        float depth = 0.0f;
        uint32_t cellsVersion = 0;
        int count = -1; // -1: nothing kept
        bool crowd = false;
        int32_t cell = 0; // the cell of the depth itself
        std::array<ScPlacedIndex::Cell*, 3> cells{};
    };
    struct Interval {
        double low;
        double high;
    };
    class CrowdReader;
    // What stays the same over the steps of one slide.
    struct Slide {
        int32_t record;
        float depth;
        float half;   // the sliding node's half extent plus its margin
        float reach;  // how far the box reaches along the depth axis
        bool crowd;   // the box meets one cell, and that cell holds nothing outside the box's depths
        int32_t cell; // the cell of the slide's depth
    };

    void buildForest(bool withChildren);
    void computeTreeOrder();
    void computeExtents();
    void placeTrees();
    void writePositions(ScGraph::LayoutType type);
    void recentreSelected(const GeRectangle<float>& before);
    void placeUnplaced();
    void placeNew(int32_t record);
    // cell: the depth cell where the node stops.
    GePoint2<float> placeAvoiding(int32_t record, GePoint2<float> pos, float half, int32_t& cell);
    // A node placed in this pass is told its position before anything reads its geometry.
    ScNode& getPlacedNode(int32_t record);
    // The connection point of the consumer's input tab a record hangs from; consumers never move
    // while nodes are placed, so each is asked once.
    GePoint2<float> getInputTab(int32_t record);
    void writePlaced();
    bool hasNode(int32_t record) const { return record > 0; }
    // The record of a node of this pass, or -1 for a node outside the node set.
    int32_t recordOf(const ScNode& node) const;
    float breadthKey(const GePoint2<float>& p) const { return _orientation == ScOrientation::Right ? p.y : p.x; }
    float depthKey(const GePoint2<float>& p) const { return _orientation == ScOrientation::Right ? p.x : p.y; }
    GePoint2<float> pointAt(float depth, float breadth) const {
        return _orientation == ScOrientation::Right ? GePoint2<float>(depth, breadth) : GePoint2<float>(breadth, depth);
    }
    // Depth cells are one depth step wide; depths beyond the integer range share the end cells.
    int32_t cellOf(float depth) const;
    ScPlacedIndex::Entry makePlacedEntry(int32_t record, const GePoint2<float>& position, int32_t sequence,
                                         int32_t cell) const;
    void openWindows(Slide& slide);
    const ScPlacedIndex::Entry* findBlocker(const Slide& slide, float breadth);
    bool isDirectionFixed(const Slide& slide, float kept) const;
    bool skipCrowd(const Slide& slide, const ScPlacedIndex::Entry& blocker, float direction, float& breadth);
    // Added to half a sliding node's breadth size: the least room it keeps from its neighbours.
    float getMargin() const { return _orientation == ScOrientation::Right ? 10.0f : 25.0f; }

    ScGraph& _graph;
    ScOrientation _orientation;
    float _depthStep;
    float _breadthGap;
    MmLargeVector<ScNode*> _nodes; // per record, null for the root
    MmLargeVector<Record> _records;
    MmLargeVector<int32_t> _children;
    MmLargeVector<TreeSlot> _slots;
    MmLargeVector<GePoint2<float>> _positions; // per record, as the tree walk places them
    std::vector<ScNode*> _selected;
    ScPlacedIndex _placed;
    std::vector<ScPlacedIndex::Cell*> _windows;       // the cells a slide's box reaches, when not kept
    std::span<ScPlacedIndex::Cell* const> _openCells; // the cells of the current slide, kept or not
    std::array<WindowSet, 256> _recentWindows;        // by depth
    std::vector<Interval> _covers;                    // kept for the next crowd
    std::vector<double> _unlike;                      // kept for the next crowd
    int32_t _nextSequence = 0;
    MmLargeVector<Spot> _spots;
    std::vector<int32_t> _chain;
};

} // namespace Zv
