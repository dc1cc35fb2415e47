#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"

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
    struct Record {
        ScNode* node = nullptr;
        int32_t parent = -1;
        int32_t inputIndex = 0;
        int32_t firstChild = 0; // into _children
        int32_t nbChildren = 0;
        float breadth = 0.0f;
        float depth = 0.0f;
    };
    struct PlacedEntry {
        float key;
        int32_t record;
    };
    // A placed node as the collision search needs it, so the scan touches no node.
    struct PlacedShape {
        GePoint2<float> position;
        float halfExtent; // half the node's size along the breadth axis
    };

    void buildForest();
    void computePreOrder();
    void computeExtents();
    void placeTrees(Type type);
    void recentreSelected(const GeRectangle<float>& before);
    void placeUnplaced();
    void placeNew(int32_t record);
    void placeAvoiding(int32_t record, GePoint2<float> pos, float half);
    bool hasNode(int32_t record) const { return record > 0; }
    float breadthKey(const GePoint2<float>& p) const { return _orientation == 1 ? p.y : p.x; }
    void insertPlaced(int32_t record);
    PlacedEntry makePlacedEntry(int32_t record);
    static bool entryLess(const PlacedEntry& a, const PlacedEntry& b) { return a.key < b.key; }
    const Record* findBlocker(const GePoint2<float>& pos, float d, float half, float& e) const;
    static constexpr size_t kFreshRunSize = 1024;

    ScGraph& _graph;
    int _orientation;
    float _depthStep;
    float _breadthGap;
    std::vector<Record> _records;
    std::vector<int32_t> _children;
    std::vector<int32_t> _preOrder;
    std::vector<ScNode*> _selected;
    std::vector<PlacedEntry> _placed;          // sorted by key, equal keys in insertion order
    std::vector<PlacedEntry> _fresh;           // placed by this call, not yet merged into _placed
    std::vector<PlacedShape> _shapes;          // per record, for placed nodes
    std::vector<GePoint2<float>> _lastChild;   // per parent record
    std::vector<uint8_t> _hasLastChild;
    std::vector<int32_t> _chain;
};

} // namespace Zv
