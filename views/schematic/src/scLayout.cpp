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

// Scene objects lie scattered on the heap. The passes over them ask for the objects a few steps
// ahead, so that several cache misses are in flight at once instead of one after the other.
constexpr int kPrefetchDistance = 8;

// The first element of the sorted range [first, last) not before value, searched outwards from
// hint: a slide moves its window little per step, so the answer is usually a step or two away.
template <class It, class T, class Before>
It gallopTo(It first, It last, It hint, const T& value, Before before) {
    std::ptrdiff_t step = 1;
    if (hint != last && before(*hint, value)) {
        It low = hint; // before value
        It high = last;
        while (last - low > step) {
            high = low + step;
            if (!before(*high, value)) break;
            low = high;
            high = last;
            step *= 2;
        }
        return std::lower_bound(low + 1, high, value, before);
    }
    It high = hint; // not before value, or the end
    It low = first;
    while (high - first > step) {
        low = high - step;
        if (before(*low, value)) break;
        high = low;
        low = first;
        step *= 2;
    }
    return std::lower_bound(low, high, value, before);
}

template <class Set>
typename Set::const_iterator aheadOf(const Set& set, int distance) {
    auto it = set.begin();
    for (; distance > 0 && it != set.end(); --distance) ++it;
    return it;
}

void prefetchNode(const ScNode& node) {
    __builtin_prefetch(&node);
    __builtin_prefetch(&node.getPosition());
}

float breadthSizeOf(const ScNode& node, int orientation) {
    GeVector2<float> size;
    node.getSize(size);
    return orientation == 1 ? size.y : size.x;
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
      _depthStep(PiSchematicInterfaceEx::getPlacementDepth() +
                 (_orientation == 1 ? PiSchematicInterfaceEx::getNodeDepthX()
                                    : PiSchematicInterfaceEx::getNodeDepthY())),
      _breadthGap(PiSchematicInterfaceEx::getPlacementBreadth()), _cellWidth(2.0f * _depthStep) {}

void ScLayout::run(Type type) {
    buildForest();
    if (_records.size() == 1) return;
    if (type == LayoutUnplaced) {
        placeUnplaced();
        return;
    }
    GeRectangle<float> before = positionBox(_selected);
    computeTreeOrder();
    computeExtents();
    placeTrees();
    writePositions(type);
    if (type == LayoutSelected) recentreSelected(before);
}

// Every node is read here in node order; the tree layouts then work on the records alone.
void ScLayout::buildForest() {
    const auto& nodes = _graph.getNodes();
    _records.assign(nodes.size() + 1, Record());
    _nodes.assign(1, nullptr);
    _nodes.reserve(_records.size());
    auto ahead = aheadOf(nodes, kPrefetchDistance);
    for (const auto& node : nodes) {
        if (ahead != nodes.end()) prefetchNode(**ahead++);
        ScNode* sceneNode = node.operator->();
        const auto index = static_cast<int32_t>(_nodes.size());
        _nodes.push_back(sceneNode);
        sceneNode->setLayoutIndex(index);
        _records[index].breadthSize = breadthSizeOf(*sceneNode, _orientation);
        if (sceneNode->isSelected()) _selected.push_back(sceneNode);
    }

    // The first edge leaving a node decides its parent; children keep the order they were attached in.
    MmLargeVector<int32_t> attachOrder;
    attachOrder.reserve(_records.size());
    const auto& edges = _graph.getEdges();
    auto edgeAhead = aheadOf(edges, 2 * kPrefetchDistance);
    auto nodesAhead = aheadOf(edges, kPrefetchDistance);
    for (const auto& edge : edges) {
        if (edgeAhead != edges.end()) __builtin_prefetch((edgeAhead++)->get());
        if (nodesAhead != edges.end()) {
            prefetchNode(*(*nodesAhead)->getSource());
            prefetchNode(*(*nodesAhead++)->getTarget());
        }
        // An edge may still name a node that a piecewise update took out of the node set.
        const int32_t producer = recordOf(*edge->getSource());
        const int32_t consumer = recordOf(*edge->getTarget());
        if (producer < 0 || consumer < 0) continue;
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

// Depth first from the root, the last child first, as placement walks the bands: a record's
// children follow it, the last child right after it and each earlier one after the subtree before.
void ScLayout::computeTreeOrder() {
    _slots.clear();
    _slots.reserve(_records.size());
    MmLargeVector<std::pair<int32_t, int32_t>> stack{{kRoot, -1}}; // record, parent slot
    while (!stack.empty()) {
        const auto [r, parent] = stack.back();
        stack.pop_back();
        const Record& record = _records[r];
        const auto slot = static_cast<int32_t>(_slots.size());
        _slots.push_back({r, parent, record.nbChildren, 1, record.breadthSize, 0.0f, 0.0f});
        for (int32_t c = 0; c < record.nbChildren; ++c)
            stack.emplace_back(_children[record.firstChild + c], slot);
    }
}

// The reverse walk finishes every subtree before its root and adds it to the parent, the first
// child first.
void ScLayout::computeExtents() {
    for (auto s = static_cast<int32_t>(_slots.size()) - 1; s >= 0; --s) {
        TreeSlot& slot = _slots[s];
        slot.depth += _depthStep;
        if (hasNode(slot.record)) slot.breadth = std::max(slot.breadth, _breadthGap + slot.breadthSize);
        if (slot.parent < 0) continue;
        TreeSlot& parent = _slots[slot.parent];
        parent.breadth += slot.breadth;
        parent.depth = std::max(parent.depth, slot.depth);
        parent.subtreeSize += slot.subtreeSize;
    }
}

void ScLayout::placeTrees() {
    const GeVector2<float> axis = _orientation == 1                          ? GeVector2<float>(0.0f, 1.0f)
                                  : (_orientation == 0 || _orientation == 2) ? GeVector2<float>(-1.0f, 0.0f)
                                                                             : GeVector2<float>();
    MmLargeVector<GePoint2<float>> slotPositions(_slots.size());
    _positions.resize(_records.size());
    for (int32_t s = 0; s < static_cast<int32_t>(_slots.size()); ++s) {
        const TreeSlot& slot = _slots[s];
        GePoint2<float> p = slotPositions[s];
        _positions[slot.record] = p;

        switch (_orientation) {
        case 1: p.x -= _depthStep; p.y -= slot.breadth / 2.0f; break;
        case 0: p.x += slot.breadth / 2.0f; p.y += _depthStep; break;
        case 2: p.x += slot.breadth / 2.0f; p.y -= _depthStep; break;
        default: break;
        }
        int32_t child = s + 1;
        for (int32_t c = 0; c < slot.nbChildren; ++c) {
            const GeVector2<float> advance = axis * (_slots[child].breadth / 2.0f);
            p += advance;
            slotPositions[child] = p;
            p += advance;
            child += _slots[child].subtreeSize;
        }
    }
}

// Positions reach the nodes in node order, the order they were read in.
void ScLayout::writePositions(Type type) {
    ScGraphInterface* owner = _graph.getOwner();
    const auto end = static_cast<int32_t>(_nodes.size());
    for (int32_t r = 1; r < end; ++r) {
        if (r + kPrefetchDistance < end) prefetchNode(*_nodes[r + kPrefetchDistance]);
        ScNode& node = *_nodes[r];
        if ((type != LayoutSelected || node.isSelected()) && owner->isPlaceable(node))
            node.setPosition(_positions[r]);
    }
}

void ScLayout::recentreSelected(const GeRectangle<float>& before) {
    GeRectangle<float> after = positionBox(_selected);
    GeVector2<float> offset = before.getCenter() - after.getCenter();
    for (ScNode* node : _selected) node->setPosition(node->getPosition() + offset);
}

int32_t ScLayout::recordOf(const ScNode& node) const {
    const int32_t index = node.getLayoutIndex();
    return index > 0 && index < static_cast<int32_t>(_nodes.size()) && _nodes[index] == &node ? index : -1;
}

void ScLayout::placeUnplaced() {
    _placed.clear();
    for (int32_t r = 1; r < static_cast<int32_t>(_records.size()); ++r)
        if (_nodes[r]->isPlaced()) _placed.push_back(makePlacedEntry(r, r));
    std::sort(_placed.begin(), _placed.end(), entryLess);
    _nextSequence = static_cast<int32_t>(_records.size());
    _fresh.clear();
    _lastChild.assign(_records.size(), GePoint2<float>());
    _hasLastChild.assign(_records.size(), 0);

    for (int32_t r = static_cast<int32_t>(_records.size()) - 1; r >= 1; --r)
        if (!_nodes[r]->isPlaced()) placeNew(r);
}

// A consumer is placed before its inputs: unplaced ancestors go first, the topmost first.
void ScLayout::placeNew(int32_t record) {
    _chain.assign(1, record);
    for (int32_t p = _records[record].parent; hasNode(p) && !_nodes[p]->isPlaced(); p = _records[p].parent)
        _chain.push_back(p);

    for (auto it = _chain.rbegin(); it != _chain.rend(); ++it) {
        const Record& r = _records[*it];
        GePoint2<float> anchor;
        if (hasNode(r.parent)) anchor = _nodes[r.parent]->getPosition();
        float half = r.breadthSize * 0.5f;
        if (_orientation == 1) {
            half += 10.0f;
            anchor.x -= _depthStep;
        } else {
            half += 25.0f;
            anchor.y -= _depthStep;
        }
        if (_hasLastChild[r.parent]) anchor = _lastChild[r.parent];
        placeAvoiding(*it, anchor, half);

        _nodes[*it]->setPlaced(true);
        _lastChild[r.parent] = _nodes[*it]->getPosition();
        _hasLastChild[r.parent] = 1;
        insertPlaced(*it);
    }
}

ScLayout::PlacedEntry ScLayout::makePlacedEntry(int32_t record, int32_t sequence) {
    const GePoint2<float> position = _nodes[record]->getPosition();
    return {cellOf(depthKey(position)), breadthKey(position), sequence, record, depthKey(position),
            _records[record].breadthSize * 0.5f};
}

// New entries gather in a small sorted run merged into the main one now and then, so placing many
// nodes never moves the whole index for each of them.
void ScLayout::insertPlaced(int32_t record) {
    const PlacedEntry entry = makePlacedEntry(record, _nextSequence++);
    _fresh.insert(std::upper_bound(_fresh.begin(), _fresh.end(), entry, entryLess), entry);
    if (_fresh.size() < kFreshRunSize) return;
    const auto middle = _placed.insert(_placed.end(), _fresh.begin(), _fresh.end());
    std::inplace_merge(_placed.begin(), middle, _placed.end(), entryLess);
    _fresh.clear();
}

// The first placed node, in key order, inside the box around pos; e is its collision half extent.
// Only the cells the box reaches along the depth axis are scanned, and the earliest hit wins.
const ScLayout::Record* ScLayout::findBlocker(const GePoint2<float>& pos, float d, float half, float& e,
                                              CellCursors& cursors) const {
    const PlacedEntry* first = nullptr;
    for (CellCursor& cursor : cursors) {
        const PlacedEntry* hit = findBlockerInCell(cursor, pos, d, half);
        if (!hit) continue;
        if (!first || hit->key < first->key || (hit->key == first->key && hit->sequence < first->sequence))
            first = hit;
    }
    if (!first) return nullptr;
    e = first->halfExtent + half;
    return &_records[first->record];
}

const ScLayout::PlacedEntry* ScLayout::findBlockerInCell(CellCursor& cursor, const GePoint2<float>& pos,
                                                         float d, float half) const {
    const float k = breadthKey(pos);
    const int32_t cell = cursor.cell;
    auto before = [cell](const PlacedEntry& a, float key) {
        return a.cell < cell || (a.cell == cell && a.key < key);
    };
    auto older = gallopTo(_placed.begin(), _placed.end(), _placed.begin() + cursor.older, k - d, before);
    auto newer = gallopTo(_fresh.begin(), _fresh.end(), _fresh.begin() + cursor.newer, k - d, before);
    cursor.older = older - _placed.begin();
    cursor.newer = newer - _fresh.begin();
    // Few entries lie in the window, so its end is found by walking, not by a second search.
    auto inWindow = [cell, end = k + d](auto it, auto last) {
        return it != last && it->cell == cell && it->key < end;
    };
    for (;;) {
        const bool olderIn = inWindow(older, _placed.end());
        const bool newerIn = inWindow(newer, _fresh.end());
        if (!olderIn && !newerIn) return nullptr;
        const bool takeOlder = !newerIn || (olderIn && entryLess(*older, *newer));
        const PlacedEntry& entry = takeOlder ? *older++ : *newer++;
        const float e = entry.halfExtent + half;
        const GeRectangle<float> box = _orientation == 1
                                           ? GeRectangle<float>(pos.x - d, pos.x + d, pos.y - e, pos.y + e)
                                           : GeRectangle<float>(pos.x - e, pos.x + e, pos.y - d, pos.y + d);
        const GePoint2<float> q = _orientation == 1 ? GePoint2<float>(entry.depth, entry.key)
                                                    : GePoint2<float>(entry.key, entry.depth);
        if (q.x >= box.xMin && q.x < box.xMax && q.y >= box.yMin && q.y < box.yMax) return &entry;
    }
}

// Slides the node from pos along the breadth axis until no placed node lies in its box.
void ScLayout::placeAvoiding(int32_t record, GePoint2<float> pos, float half) {
    const Record& r = _records[record];
    ScNode& node = *_nodes[record];
    const float d = _depthStep - 1.0f;
    // The node slides along the breadth axis only, so the depth cells it meets stay the same.
    CellCursors cursors;
    for (int32_t cell = cellOf(depthKey(pos) - d), last = cellOf(depthKey(pos) + d); cell <= last; ++cell)
        cursors.items[cursors.count++] = {cell, 0, 0};
    GeVector2<float> kept; // a direction found through a common consumer stays for the later steps
    for (;;) {
        node.setPosition(pos);
        float e = 0.0f;
        const Record* blocker = findBlocker(pos, d, half, e, cursors);
        if (!blocker) return;

        GeVector2<float> direction = kept;
        if (direction == GeVector2<float>()) {
            direction = _orientation == 1 ? GeVector2<float>(0.0f, 1.0f) : GeVector2<float>(1.0f, 0.0f);
            if (hasNode(blocker->parent) && blocker->parent == r.parent) {
                ScNode* consumer = _nodes[r.parent];
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
