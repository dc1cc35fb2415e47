#include "views/schematic/src/scLayout.h"

#include "platform/graph/piSchematicInterfaceEx.h"
#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scGraphInterface.h"
#include "views/schematic/src/scNode.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

namespace Zv {
namespace {

constexpr int32_t kRoot = 0;

// Scene objects lie scattered on the heap. The passes over them ask for the objects a few steps
// ahead, so that several cache misses are in flight at once instead of one after the other.
constexpr int kPrefetchDistance = 8;

constexpr int kStepsBeforeStriding = 4;

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

float breadthSizeOf(const ScNode& node, ScOrientation orientation) {
    GeVector2<float> size;
    node.getSize(size);
    return orientation == ScOrientation::Right ? size.y : size.x;
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

// The centre of a box. Where the sum of two sides overflows the halves are added instead, which
// anywhere else would round the same.
GePoint2<float> centreOf(const GeRectangle<float>& box) {
    auto middle = [](float a, float b) {
        const float sum = a + b;
        return std::isfinite(sum) ? sum / 2.0f : a / 2.0f + b / 2.0f;
    };
    return {middle(box.xMin, box.xMax), middle(box.yMin, box.yMax)};
}

// The positions of a slide whose every step adds the same float. Within one binary exponent a
// float sum rounds the same way each time, unless the step is a tie, so the i-th position is the
// start plus i strides, kept here as long as the positions keep the start's exponent. Positions
// are measured along the direction of travel.
class Strides {
public:
    bool plan(float start, float direction, float step, float reach) {
        if (!std::isnormal(start)) return false;
        const int exponent = std::ilogb(start);
        _unit = std::ldexp(1.0, exponent - (std::numeric_limits<float>::digits - 1));
        const double low = std::ldexp(1.0, exponent);
        const double high = 2.0 * low;
        // Near the origin a box spans several exponents.
        const double units = step / _unit;
        if (low < 2.0 * reach || units - std::floor(units) == 0.5) return false;
        const double magnitude = std::fabs(start);
        if (magnitude < low + _unit || magnitude > high - 2.0 * _unit) return false;
        _direction = direction;
        _stride = std::fabs(static_cast<double>(start + direction * step) - start);
        const bool outward = (start > 0.0f) == (direction > 0.0f);
        _lastIndex = std::floor((outward ? high - 2.0 * _unit - magnitude : magnitude - low - _unit) / _stride);
        _t0 = direction * static_cast<double>(start);
        return _lastIndex >= 2.0;
    }
    double getUnit() const { return _unit; }
    int64_t getLast() const { return static_cast<int64_t>(_lastIndex); }
    double getTravel(int64_t i) const { return _t0 + static_cast<double>(i) * _stride; }
    float getPosition(int64_t i) const { return static_cast<float>(_direction * getTravel(i)); }
    // The first index after i whose position lies beyond bound, at most the last.
    int64_t getIndexBeyond(int64_t i, double bound) const {
        const double guess = std::max(std::floor((bound - _t0) / _stride), static_cast<double>(i + 1));
        if (!(guess < _lastIndex)) return getLast();
        auto j = static_cast<int64_t>(guess);
        while (j > i + 1 && getTravel(j - 1) > bound) --j;
        while (j < getLast() && getTravel(j) <= bound) ++j;
        return j;
    }

private:
    double _unit = 0.0;
    double _direction = 1.0;
    double _stride = 0.0;
    double _lastIndex = 0.0;
    double _t0 = 0.0;
};

} // namespace

// Reads a crowd's placed nodes in the direction of travel, as far as the positions asked about
// need, and proves positions blocked. An alike node blocks every position within cover of it, and
// a run of alike nodes covers its whole span; an unlike node may block a position first when it
// lies from `behind` before it to `ahead` after it, so no position near one is proved.
class ScLayout::CrowdReader {
public:
    CrowdReader(ScPlacedIndex& index, ScPlacedIndex::Cell& crowd, float halfExtent, float direction, float radius,
                float reach, double unit, std::vector<Interval>& covers, std::vector<double>& unlike)
        : _index(index), _crowd(crowd), _halfExtent(halfExtent), _direction(direction), _cover(radius - 2.0 * unit),
          _ahead((direction > 0.0f ? radius : reach) + 2.0 * unit),
          _behind((direction > 0.0f ? reach : radius) + 2.0 * unit), _wholeRuns(index.getGapLimit() <= 2.0 * _cover),
          _covers(covers), _unlike(unlike) {
        _covers.clear();
        _unlike.clear();
    }
    bool isUsable() const { return _cover > 0.0; }

    // Starts with the first node that can matter to a position at first.
    void start(double first) {
        const auto key = static_cast<float>(_direction * (first - _behind));
        if (_direction > 0.0f) {
            _cursor = _index.seek(_crowd, std::nextafter(key, -INFINITY));
        } else {
            _cursor = _index.seek(_crowd, std::nextafter(key, INFINITY));
            _cursor = _cursor.isNull() ? _index.last() : _index.previous(_cursor);
        }
        readFrontier();
    }

    // How far on from t, t included, positions are proved blocked; below t when t is not.
    double getProvedUntil(double t) {
        while (!_ended && _frontier <= t + _ahead) readNext();
        while (_coverHead < _covers.size() && _covers[_coverHead].high < t) ++_coverHead;
        while (_unlikeHead < _unlike.size() && _unlike[_unlikeHead] + _behind < t) ++_unlikeHead;
        const bool unlikeAhead = _unlikeHead < _unlike.size();
        if (unlikeAhead && _unlike[_unlikeHead] - _ahead <= t) return -INFINITY;
        if (_coverHead == _covers.size() || _covers[_coverHead].low > t) return -INFINITY;
        // Up to the cover's end, short of the next unlike node's reach and of the unread nodes'.
        double until = _covers[_coverHead].high;
        const double nearest = std::min(unlikeAhead ? _unlike[_unlikeHead] : INFINITY, _ended ? INFINITY : _frontier);
        if (nearest - _ahead <= until) until = std::nextafter(nearest - _ahead, -INFINITY);
        return until;
    }

    // The nodes read last lie close to the positions asked about, wherever the crowd's last search ended.
    void lendHint() const {
        if (!_cursor.isNull()) _crowd.hint = _cursor;
    }

private:
    double travel(const ScPlacedIndex::Entry& entry) const { return _direction * static_cast<double>(entry.key); }
    ScPlacedIndex::Cursor advance(ScPlacedIndex::Cursor c) const {
        return _direction > 0.0f ? _index.next(c) : _index.previous(c);
    }
    void readFrontier() {
        _ended = _cursor.isNull() || _index.at(_cursor).cell != _crowd.id;
        if (!_ended) _frontier = travel(_index.at(_cursor));
    }
    // Reads the next node, or the whole run of alike nodes it starts, whose covers join up.
    void readNext() {
        const ScPlacedIndex::Entry& entry = _index.at(_cursor);
        if (entry.halfExtent != _halfExtent) {
            _unlike.push_back(travel(entry));
            _cursor = advance(_cursor);
        } else {
            const ScPlacedIndex::Cursor end = _wholeRuns ? _index.getRunEnd(_cursor, _direction > 0.0f) : _cursor;
            const Interval covered{travel(entry) - _cover, travel(_index.at(end)) + _cover};
            if (_covers.size() > _coverHead && covered.low <= _covers.back().high)
                _covers.back().high = std::max(_covers.back().high, covered.high);
            else _covers.push_back(covered);
            _cursor = advance(end);
        }
        readFrontier();
    }

    ScPlacedIndex& _index;
    ScPlacedIndex::Cell& _crowd;
    float _halfExtent;
    float _direction;
    double _cover;
    double _ahead;
    double _behind;
    bool _wholeRuns;
    std::vector<Interval>& _covers;
    std::vector<double>& _unlike;
    size_t _coverHead = 0;
    size_t _unlikeHead = 0;
    ScPlacedIndex::Cursor _cursor;
    double _frontier = 0.0; // where the next node to read lies
    bool _ended = false;
};

ScLayout::ScLayout(ScGraph& graph)
    : _graph(graph), _orientation(graph.getOrientation()),
      _depthStep(PiSchematicInterfaceEx::getPlacementDepth() + (_orientation == ScOrientation::Right
                                                                    ? PiSchematicInterfaceEx::getNodeDepthX()
                                                                    : PiSchematicInterfaceEx::getNodeDepthY())),
      _breadthGap(PiSchematicInterfaceEx::getPlacementBreadth()) {}

void ScLayout::run(ScGraph::LayoutType type) {
    buildForest(type != LayoutUnplaced);
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
void ScLayout::buildForest(bool withChildren) {
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
        _records[index].placed = sceneNode->isPlaced();
        if (sceneNode->isSelected()) _selected.push_back(sceneNode);
    }

    // The first edge leaving a node decides its parent; children keep the order they were attached in.
    MmLargeVector<int32_t> attachOrder;
    if (withChildren) attachOrder.reserve(_records.size());
    const auto& edges = _graph.getEdges();
    auto edgeAhead = aheadOf(edges, 2 * kPrefetchDistance);
    auto nodesAhead = aheadOf(edges, kPrefetchDistance);
    for (const auto& edge : edges) {
        if (edgeAhead != edges.end()) __builtin_prefetch((edgeAhead++)->get());
        if (nodesAhead != edges.end()) {
            prefetchNode(*(*nodesAhead)->getSource());
            prefetchNode(*(*nodesAhead++)->getTarget());
        }
        // An edge may still name a node that a piecewise update took out of the node set; a node
        // linked to itself cannot hang below itself.
        const int32_t producer = recordOf(*edge->getSource());
        const int32_t consumer = recordOf(*edge->getTarget());
        if (producer < 0 || consumer < 0 || producer == consumer) continue;
        Record& record = _records[producer];
        if (record.parent != -1) continue;
        record.parent = consumer;
        record.inputIndex = edge->getTargetSocket();
        if (withChildren) attachOrder.push_back(producer);
    }
    for (int32_t r = 1; r < static_cast<int32_t>(_records.size()); ++r) {
        if (_records[r].parent != -1) continue;
        _records[r].parent = kRoot;
        if (withChildren) attachOrder.push_back(r);
    }
    if (!withChildren) return;

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
        for (int32_t c = 0; c < record.nbChildren; ++c) stack.emplace_back(_children[record.firstChild + c], slot);
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
    const GeVector2<float> axis =
        _orientation == ScOrientation::Right ? GeVector2<float>(0.0f, 1.0f) : GeVector2<float>(-1.0f, 0.0f);
    MmLargeVector<GePoint2<float>> slotPositions(_slots.size());
    _positions.resize(_records.size());
    for (int32_t s = 0; s < static_cast<int32_t>(_slots.size()); ++s) {
        const TreeSlot& slot = _slots[s];
        GePoint2<float> p = slotPositions[s];
        _positions[slot.record] = p;

        switch (_orientation) {
        case ScOrientation::Right:
            p.x -= _depthStep;
            p.y -= slot.breadth / 2.0f;
            break;
        case ScOrientation::Down:
            p.x += slot.breadth / 2.0f;
            p.y += _depthStep;
            break;
        case ScOrientation::Up:
            p.x += slot.breadth / 2.0f;
            p.y -= _depthStep;
            break;
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
void ScLayout::writePositions(ScGraph::LayoutType type) {
    ScGraphInterface* owner = _graph.getOwner();
    const auto end = static_cast<int32_t>(_nodes.size());
    for (int32_t r = 1; r < end; ++r) {
        if (r + kPrefetchDistance < end) prefetchNode(*_nodes[r + kPrefetchDistance]);
        ScNode& node = *_nodes[r];
        if ((type != LayoutSelected || node.isSelected()) && owner->isPlaceable(node)) node.setPosition(_positions[r]);
    }
}

void ScLayout::recentreSelected(const GeRectangle<float>& before) {
    GeRectangle<float> after = positionBox(_selected);
    GeVector2<float> offset = centreOf(before) - centreOf(after);
    for (ScNode* node : _selected) node->setPosition(node->getPosition() + offset);
}

int32_t ScLayout::recordOf(const ScNode& node) const {
    const int32_t index = node.getLayoutIndex();
    return index > 0 && index < static_cast<int32_t>(_nodes.size()) && _nodes[index] == &node ? index : -1;
}

int32_t ScLayout::cellOf(float depth) const {
    const double cell = std::floor(static_cast<double>(depth) / _depthStep);
    if (!(cell > INT32_MIN)) return INT32_MIN;
    if (cell >= INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(cell);
}

void ScLayout::placeUnplaced() {
    const auto nbRecords = static_cast<int32_t>(_records.size());
    float smallest = std::numeric_limits<float>::infinity();
    bool anyUnplaced = false;
    for (int32_t r = 1; r < nbRecords; ++r) {
        smallest = std::min(smallest, _records[r].breadthSize);
        anyUnplaced = anyUnplaced || !_records[r].placed;
    }
    if (!anyUnplaced) return;

    _spots.assign(_records.size(), Spot());
    MmLargeVector<ScPlacedIndex::Entry> placed;
    for (int32_t r = 1; r < nbRecords; ++r) {
        if (r + kPrefetchDistance < nbRecords && _records[r + kPrefetchDistance].placed)
            prefetchNode(*_nodes[r + kPrefetchDistance]);
        if (!_records[r].placed) continue;
        Spot& spot = _spots[r];
        spot.position = _nodes[r]->getPosition();
        spot.state = Spot::PlacedBefore;
        placed.push_back(makePlacedEntry(r, spot.position, r, cellOf(depthKey(spot.position))));
        ++_spots[_records[r].parent].nbPlacedChildren;
    }
    std::sort(placed.begin(), placed.end(), ScPlacedIndex::isBefore);
    // Alike placed nodes this close leave no room between them for the smallest sliding node, so a
    // slide can pass a run of them whole; the slack absorbs rounding far from the origin.
    const float reach = std::min(_depthStep - 1.0f, smallest + getMargin());
    _placed.assign(placed, _records.size(), 2.0f * reach - 4.0f);
    _nextSequence = nbRecords;

    for (int32_t r = nbRecords - 1; r >= 1; --r) {
        if (r > kPrefetchDistance) __builtin_prefetch(&_spots[_records[r - kPrefetchDistance].parent]);
        if (_spots[r].state == Spot::Unplaced) placeNew(r);
    }
    writePlaced();
}

// A consumer is placed before its inputs: unplaced ancestors go first, the topmost first. A collapsed
// chain's head stands for nodes upstream of it, so the links shown can close a circle; the walk up
// stops where it does.
void ScLayout::placeNew(int32_t record) {
    _chain.assign(1, record);
    _spots[record].state = Spot::Queued;
    for (int32_t p = _records[record].parent; hasNode(p) && _spots[p].state == Spot::Unplaced; p = _records[p].parent) {
        _chain.push_back(p);
        _spots[p].state = Spot::Queued;
    }

    for (auto it = _chain.rbegin(); it != _chain.rend(); ++it) {
        const Record& r = _records[*it];
        Spot& parent = _spots[r.parent];
        GePoint2<float> anchor = hasNode(r.parent) ? parent.position : GePoint2<float>();
        (_orientation == ScOrientation::Right ? anchor.x : anchor.y) -= _depthStep;
        if (parent.hasLastChild) anchor = parent.lastChild;
        int32_t cell = 0;
        const GePoint2<float> position = placeAvoiding(*it, anchor, r.breadthSize * 0.5f + getMargin(), cell);

        Spot& spot = _spots[*it];
        spot.position = position;
        spot.state = Spot::PlacedNow;
        parent.lastChild = position;
        parent.hasLastChild = true;
        ++parent.nbPlacedChildren;
        _placed.insert(makePlacedEntry(*it, position, _nextSequence++, cell));
    }
}

ScNode& ScLayout::getPlacedNode(int32_t record) {
    Spot& spot = _spots[record];
    if (spot.state == Spot::PlacedNow) {
        _nodes[record]->setPosition(spot.position);
        spot.state = Spot::Told;
    }
    return *_nodes[record];
}

GePoint2<float> ScLayout::getInputTab(int32_t record) {
    Spot& spot = _spots[record];
    if (!spot.hasTab) {
        const Record& r = _records[record];
        spot.tab = getPlacedNode(r.parent).getInputConnectionPoint(r.inputIndex, 0);
        spot.hasTab = true;
    }
    return spot.tab;
}

// New positions reach the nodes in node order, as the tree layouts write theirs.
void ScLayout::writePlaced() {
    const auto end = static_cast<int32_t>(_nodes.size());
    for (int32_t r = 1; r < end; ++r) {
        if (r + kPrefetchDistance < end) prefetchNode(*_nodes[r + kPrefetchDistance]);
        const Spot& spot = _spots[r];
        if (spot.state == Spot::PlacedNow) _nodes[r]->setPosition(spot.position);
        if (spot.state == Spot::PlacedNow || spot.state == Spot::Told) _nodes[r]->setPlaced(true);
    }
}

ScPlacedIndex::Entry ScLayout::makePlacedEntry(int32_t record, const GePoint2<float>& position, int32_t sequence,
                                               int32_t cell) const {
    return {cell, breadthKey(position), sequence, record, depthKey(position), _records[record].breadthSize * 0.5f};
}

// The cells holding depths the slide's box reaches. The slide keeps its depth, so they stay the same.
void ScLayout::openWindows(Slide& slide) {
    // Many slides start at a depth met shortly before: siblings, and nodes in the same column.
    uint32_t bits = 0;
    std::memcpy(&bits, &slide.depth, sizeof bits);
    WindowSet& recent = _recentWindows[(bits * 0x9E3779B1u) >> 24];
    if (recent.count >= 0 && recent.depth == slide.depth && recent.cellsVersion == _placed.getCellsVersion()) {
        _openCells = {recent.cells.data(), static_cast<size_t>(recent.count)};
        slide.crowd = recent.crowd;
        slide.cell = recent.cell;
        return;
    }
    slide.cell = cellOf(slide.depth);
    const float low = slide.depth - slide.reach;
    const float high = slide.depth + slide.reach;
    _windows.clear();
    bool within = true;
    for (int64_t cell = cellOf(low), last = cellOf(high); cell <= last; ++cell) {
        ScPlacedIndex::Cell* found = _placed.findCell(static_cast<int32_t>(cell));
        if (!found || found->maxDepth < low || found->minDepth >= high) continue;
        _windows.push_back(found);
        within = within && found->minDepth >= low && found->maxDepth < high;
    }
    slide.crowd = _windows.size() == 1 && within;
    _openCells = _windows;
    if (_windows.size() > recent.cells.size()) return;
    recent = {slide.depth, _placed.getCellsVersion(), static_cast<int>(_windows.size()), slide.crowd, slide.cell, {}};
    std::copy(_windows.begin(), _windows.end(), recent.cells.begin());
}

// The first placed node, in key order, inside the box of the sliding node at breadth.
const ScPlacedIndex::Entry* ScLayout::findBlocker(const Slide& slide, float breadth) {
    const float keyLow = breadth - slide.reach;
    const float keyHigh = breadth + slide.reach;
    const float depthLow = slide.depth - slide.reach;
    const float depthHigh = slide.depth + slide.reach;
    const ScPlacedIndex::Entry* first = nullptr;
    for (ScPlacedIndex::Cell* cell : _openCells) {
        for (ScPlacedIndex::Cursor c = _placed.seek(*cell, keyLow); !c.isNull(); c = _placed.next(c)) {
            const ScPlacedIndex::Entry& entry = _placed.at(c);
            if (entry.cell != cell->id || !(entry.key < keyHigh)) break;
            const float e = entry.halfExtent + slide.half;
            if (entry.depth < depthLow || entry.depth >= depthHigh || entry.key < breadth - e ||
                entry.key >= breadth + e)
                continue;
            if (!first || entry.key < first->key || (entry.key == first->key && entry.sequence < first->sequence))
                first = &entry;
            break;
        }
    }
    return first;
}

// Slides the node from pos along the breadth axis until no placed node lies in its box, and
// returns where it stops.
GePoint2<float> ScLayout::placeAvoiding(int32_t record, GePoint2<float> pos, float half, int32_t& cell) {
    const Record& r = _records[record];
    const bool hasSiblings = hasNode(r.parent) && _spots[r.parent].nbPlacedChildren > 0;
    Slide slide{record, depthKey(pos), half, _depthStep - 1.0f, false, 0};
    openWindows(slide);
    cell = slide.cell;
    float breadth = breadthKey(pos);
    float kept = 0.0f; // a direction found through a common consumer stays for the later steps
    int steps = 0;
    while (const ScPlacedIndex::Entry* blocker = findBlocker(slide, breadth)) {
        float direction = kept;
        if (direction == 0.0f) {
            direction = 1.0f;
            const Record* q = hasSiblings ? &_records[blocker->record] : nullptr;
            if (q && q->parent == r.parent) {
                const GePoint2<float> qTab = getInputTab(blocker->record);
                const GePoint2<float> rTab = getInputTab(record);
                switch (_orientation) {
                case ScOrientation::Right: direction = qTab.y > rTab.y ? -1.0f : 1.0f; break;
                case ScOrientation::Up: direction = qTab.x > rTab.x ? -1.0f : 1.0f; break;
                default: direction = rTab.x > qTab.x ? -1.0f : 1.0f; break;
                }
                kept = direction;
            }
        }
        // Most slides end within a few steps; longer ones go through a crowd.
        if (++steps > kStepsBeforeStriding && slide.crowd && isDirectionFixed(slide, kept) &&
            skipCrowd(slide, *blocker, direction, breadth))
            continue;
        // Far from the origin a step can round away to nothing; the node then moves by the least amount.
        float next = breadth + direction * (blocker->halfExtent + half + 1.0f);
        if (next == breadth) next = std::nextafter(breadth, direction * std::numeric_limits<float>::infinity());
        breadth = next;
    }
    return pointAt(slide.depth, breadth);
}

// Whether every later step of the slide goes the way the first one did: the direction was found
// through a common consumer, or no input of the consumer has been placed to find one through.
bool ScLayout::isDirectionFixed(const Slide& slide, float kept) const {
    const int32_t parent = _records[slide.record].parent;
    return kept != 0.0f || !hasNode(parent) || _spots[parent].nbPlacedChildren == 0;
}

// Takes many steps of a slide through a crowded column at once, landing exactly where single steps
// would. While the blocker at each step is alike (the same half extent as the first) and the
// direction cannot change, the positions follow Strides. A position is proved blocked by the
// CrowdReader, or else tested on its own. Returns whether the node moved.
bool ScLayout::skipCrowd(const Slide& slide, const ScPlacedIndex::Entry& blocker, float direction, float& breadth) {
    const float e = blocker.halfExtent + slide.half;
    Strides strides;
    if (!strides.plan(breadth, direction, e + 1.0f, slide.reach)) return false;
    ScPlacedIndex::Cell& crowd = *_openCells.front();
    CrowdReader reader(_placed, crowd, blocker.halfExtent, direction, std::min(slide.reach, e), slide.reach,
                       strides.getUnit(), _covers, _unlike);
    if (!reader.isUsable()) return false;
    reader.start(strides.getTravel(1));
    int64_t i = 1;
    while (i < strides.getLast()) {
        const double t = strides.getTravel(i);
        if (const double bound = reader.getProvedUntil(t); bound >= t) {
            i = strides.getIndexBeyond(i, bound);
            continue;
        }
        const float position = strides.getPosition(i);
        reader.lendHint();
        const ScPlacedIndex::Entry* hit = findBlocker(slide, position);
        if (!hit || hit->halfExtent != blocker.halfExtent) {
            breadth = position;
            return true;
        }
        ++i;
    }
    breadth = strides.getPosition(strides.getLast());
    return true;
}

} // namespace Zv
