#include "views/schematic/src/scLayout.h"

#include "platform/graph/piSchematicInterfaceEx.h"
#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scGraphInterface.h"
#include "views/schematic/src/scNode.h"

#include <algorithm>

namespace Zv {
namespace {

constexpr int32_t kRoot = 0;

GeVector2<float> sizeOf(const ScNode& node) {
    GeVector2<float> size;
    node.getSize(size);
    return size;
}

// Bounding box of node positions; an empty input gives an empty box.
GeRectangle<float> positionBox(const std::vector<ScNode*>& nodes) {
    if (nodes.empty()) return {};
    GePoint2<float> first = nodes.front()->getPosition();
    GeRectangle<float> box(first.x, first.x, first.y, first.y);
    for (const ScNode* node : nodes) {
        GePoint2<float> p = node->getPosition();
        box.xMin = std::min(box.xMin, p.x);
        box.xMax = std::max(box.xMax, p.x);
        box.yMin = std::min(box.yMin, p.y);
        box.yMax = std::max(box.yMax, p.y);
    }
    return box;
}

} // namespace

ScLayout::ScLayout(ScGraph& graph)
    : _graph(graph), _orientation(graph.getOrientation()),
      _depthStep(PiSchematicInterfaceEx::getPlacementDepth() + (_orientation == 1
                                                                    ? PiSchematicInterfaceEx::getNodeDepthX()
                                                                    : PiSchematicInterfaceEx::getNodeDepthY())),
      _breadthGap(PiSchematicInterfaceEx::getPlacementBreadth()) {}

void ScLayout::run(Type type) {
    buildForest();
    if (_records.size() == 1) return;
    if (type == LayoutUnplaced) {
        placeUnplaced();
        return;
    }
    GeRectangle<float> before = positionBox(_selected);
    computePreOrder();
    computeExtents();
    placeTrees(type);
    if (type == LayoutSelected) recentreSelected(before);
}

void ScLayout::buildForest() {
    const auto& nodes = _graph.getNodes();
    _records.assign(nodes.size() + 1, Record());
    int32_t index = 0;
    for (const auto& node : nodes) {
        Record& record = _records[++index];
        record.node = node.operator->();
        record.node->setLayoutIndex(index);
        if (record.node->isSelected()) _selected.push_back(record.node);
    }

    // The first edge leaving a node decides its parent; children keep the order they were attached in.
    std::vector<int32_t> attachOrder;
    attachOrder.reserve(_records.size());
    for (const auto& edge : _graph.getEdges()) {
        int32_t producer = edge->getSource()->getLayoutIndex();
        int32_t consumer = edge->getTarget()->getLayoutIndex();
        Record& record = _records[producer];
        if (record.parent != -1) continue;
        record.parent = consumer;
        record.inputIndex = edge->getTargetSocket();
        attachOrder.push_back(producer);
    }
    for (int32_t r = 1; r < static_cast<int32_t>(_records.size()); ++r) {
        if (_records[r].parent != -1) continue;
        _records[r].parent = kRoot;
        attachOrder.push_back(r);
    }

    // Children as one flat array, grouped by parent.
    for (int32_t child : attachOrder) ++_records[_records[child].parent].nbChildren;
    int32_t offset = 0;
    for (Record& record : _records) {
        record.firstChild = offset;
        offset += record.nbChildren;
        record.nbChildren = 0;
    }
    _children.resize(offset);
    for (int32_t child : attachOrder) {
        Record& parent = _records[_records[child].parent];
        _children[parent.firstChild + parent.nbChildren++] = child;
    }
}

// Depth first from the root, the last child first, as placement walks the bands.
void ScLayout::computePreOrder() {
    _preOrder.clear();
    _preOrder.reserve(_records.size());
    std::vector<int32_t> stack{kRoot};
    while (!stack.empty()) {
        int32_t r = stack.back();
        stack.pop_back();
        _preOrder.push_back(r);
        const Record& record = _records[r];
        for (int32_t c = 0; c < record.nbChildren; ++c) stack.push_back(_children[record.firstChild + c]);
    }
}

// Children come after their parent in pre-order, so the reverse walk sees every subtree before its root.
void ScLayout::computeExtents() {
    for (auto it = _preOrder.rbegin(); it != _preOrder.rend(); ++it) {
        Record& record = _records[*it];
        record.depth = _depthStep;
        if (record.nbChildren > 0) {
            float deepest = 0.0f;
            for (int32_t c = 0; c < record.nbChildren; ++c) {
                const Record& child = _records[_children[record.firstChild + c]];
                record.breadth += child.breadth;
                deepest = std::max(deepest, child.depth);
            }
            record.depth = deepest + _depthStep;
        }
        if (hasNode(*it)) {
            GeVector2<float> size = sizeOf(*record.node);
            record.breadth = std::max(record.breadth, _breadthGap + (_orientation == 1 ? size.y : size.x));
        }
    }
}

void ScLayout::placeTrees(Type type) {
    std::vector<GePoint2<float>> positions(_records.size());
    ScGraphInterface* owner = _graph.getOwner();
    for (int32_t r : _preOrder) {
        const Record& record = _records[r];
        GePoint2<float> p = positions[r];
        if (hasNode(r) && (type != LayoutSelected || record.node->isSelected()) && owner->isPlaceable(*record.node))
            record.node->setPosition(p);

        switch (_orientation) {
        case 1: p.x -= _depthStep; p.y -= record.breadth / 2.0f; break;
        case 0: p.x += record.breadth / 2.0f; p.y += _depthStep; break;
        case 2: p.x += record.breadth / 2.0f; p.y -= _depthStep; break;
        default: break;
        }
        for (int32_t c = record.nbChildren - 1; c >= 0; --c) {
            int32_t child = _children[record.firstChild + c];
            float half = _records[child].breadth / 2.0f;
            GeVector2<float> advance = _orientation == 1 ? GeVector2<float>(0.0f, half)
                                       : (_orientation == 0 || _orientation == 2) ? GeVector2<float>(-half, 0.0f)
                                                                                  : GeVector2<float>();
            p += advance;
            positions[child] = p;
            p += advance;
        }
    }
}

void ScLayout::recentreSelected(const GeRectangle<float>& before) {
    GeRectangle<float> after = positionBox(_selected);
    GeVector2<float> offset = before.getCenter() - after.getCenter();
    for (ScNode* node : _selected) node->setPosition(node->getPosition() + offset);
}

void ScLayout::placeUnplaced() {
    _placed.clear();
    _shapes.resize(_records.size());
    for (int32_t r = 1; r < static_cast<int32_t>(_records.size()); ++r)
        if (_records[r].node->isPlaced()) _placed.push_back(makePlacedEntry(r));
    // Equal keys in record order, the order they were listed in.
    std::sort(_placed.begin(), _placed.end(), [](const PlacedEntry& a, const PlacedEntry& b) {
        return a.key < b.key || (a.key == b.key && a.record < b.record);
    });
    _fresh.clear();
    _lastChild.assign(_records.size(), GePoint2<float>());
    _hasLastChild.assign(_records.size(), 0);

    for (int32_t r = static_cast<int32_t>(_records.size()) - 1; r >= 1; --r)
        if (!_records[r].node->isPlaced()) placeNew(r);
}

// A consumer is placed before its inputs: unplaced ancestors go first, the topmost first.
void ScLayout::placeNew(int32_t record) {
    _chain.assign(1, record);
    for (int32_t p = _records[record].parent; hasNode(p) && !_records[p].node->isPlaced(); p = _records[p].parent)
        _chain.push_back(p);

    for (auto it = _chain.rbegin(); it != _chain.rend(); ++it) {
        const Record& r = _records[*it];
        GePoint2<float> anchor;
        if (hasNode(r.parent)) anchor = _records[r.parent].node->getPosition();
        GeVector2<float> size = sizeOf(*r.node);
        float half;
        if (_orientation == 1) {
            half = size.y * 0.5f + 10.0f;
            anchor.x -= _depthStep;
        } else {
            half = size.x * 0.5f + 25.0f;
            anchor.y -= _depthStep;
        }
        if (_hasLastChild[r.parent]) anchor = _lastChild[r.parent];
        placeAvoiding(*it, anchor, half);

        r.node->setPlaced(true);
        _lastChild[r.parent] = r.node->getPosition();
        _hasLastChild[r.parent] = 1;
        insertPlaced(*it);
    }
}

ScLayout::PlacedEntry ScLayout::makePlacedEntry(int32_t record) {
    const ScNode& node = *_records[record].node;
    const GeVector2<float> size = sizeOf(node);
    _shapes[record] = {node.getPosition(), (_orientation == 1 ? size.y : size.x) * 0.5f};
    return {breadthKey(node.getPosition()), record};
}

// New entries gather in a small sorted run merged into the main one now and then, so placing many
// nodes never moves the whole index for each of them. A stable merge keeps older entries first.
void ScLayout::insertPlaced(int32_t record) {
    const PlacedEntry entry = makePlacedEntry(record);
    _fresh.insert(std::upper_bound(_fresh.begin(), _fresh.end(), entry, entryLess), entry);
    if (_fresh.size() < kFreshRunSize) return;
    const auto middle = _placed.insert(_placed.end(), _fresh.begin(), _fresh.end());
    std::inplace_merge(_placed.begin(), middle, _placed.end(), entryLess);
    _fresh.clear();
}

// The first placed node, in key order, inside the box around pos; e is its collision half extent.
const ScLayout::Record* ScLayout::findBlocker(const GePoint2<float>& pos, float d, float half, float& e) const {
    const float k = breadthKey(pos);
    auto keyLess = [](const PlacedEntry& a, float key) { return a.key < key; };
    auto older = std::lower_bound(_placed.begin(), _placed.end(), k - d, keyLess);
    const auto olderEnd = std::lower_bound(older, _placed.end(), k + d, keyLess);
    auto newer = std::lower_bound(_fresh.begin(), _fresh.end(), k - d, keyLess);
    const auto newerEnd = std::lower_bound(newer, _fresh.end(), k + d, keyLess);
    while (older != olderEnd || newer != newerEnd) {
        const bool takeOlder = newer == newerEnd || (older != olderEnd && older->key <= newer->key);
        const PlacedEntry& entry = takeOlder ? *older++ : *newer++;
        const PlacedShape& shape = _shapes[entry.record];
        e = shape.halfExtent + half;
        const GeRectangle<float> box = _orientation == 1
                                           ? GeRectangle<float>(pos.x - d, pos.x + d, pos.y - e, pos.y + e)
                                           : GeRectangle<float>(pos.x - e, pos.x + e, pos.y - d, pos.y + d);
        const GePoint2<float>& q = shape.position;
        if (q.x >= box.xMin && q.x < box.xMax && q.y >= box.yMin && q.y < box.yMax) return &_records[entry.record];
    }
    return nullptr;
}

// Slides the node from pos along the breadth axis until no placed node lies in its box.
void ScLayout::placeAvoiding(int32_t record, GePoint2<float> pos, float half) {
    const Record& r = _records[record];
    const float d = _depthStep - 1.0f;
    GeVector2<float> kept; // a direction found through a common consumer stays for the later steps
    for (;;) {
        r.node->setPosition(pos);
        float e = 0.0f;
        const Record* blocker = findBlocker(pos, d, half, e);
        if (!blocker) return;

        GeVector2<float> direction = kept;
        if (direction == GeVector2<float>()) {
            direction = _orientation == 1 ? GeVector2<float>(0.0f, 1.0f) : GeVector2<float>(1.0f, 0.0f);
            if (hasNode(blocker->parent) && blocker->parent == r.parent) {
                ScNode* consumer = _records[r.parent].node;
                GePoint2<float> qTab = consumer->getInputConnectionPoint(blocker->inputIndex, 0);
                GePoint2<float> rTab = consumer->getInputConnectionPoint(r.inputIndex, 0);
                switch (_orientation) {
                case 1: direction = GeVector2<float>(0.0f, qTab.y > rTab.y ? -1.0f : 1.0f); break;
                case 2: direction = GeVector2<float>(qTab.x > rTab.x ? -1.0f : 1.0f, 0.0f); break;
                default: direction = GeVector2<float>(rTab.x > qTab.x ? -1.0f : 1.0f, 0.0f); break;
                }
                kept = direction;
            }
        }
        pos += direction * (e + 1.0f);
    }
}

} // namespace Zv
