#include "views/schematic/src/scPlacedIndex.h"

#include "platform/base/assertions.h"

#include <algorithm>
#include <climits>

namespace Zv {

void ScPlacedIndex::assign(const MmLargeVector<Entry>& sorted, size_t capacity, float gapLimit) {
    _gapLimit = gapLimit;
    _leaves.clear();
    _inners.clear();
    _cells.clear();
    _cellTable.assign(64, -1);
    _root = -1;
    _height = 0;
    _version = 0;
    // Nodes are at least half full once split, so the pools never move.
    const size_t maxLeaves = std::max(capacity, sorted.size()) / (kLeafSize / 2) + 2;
    _leaves.reserve(maxLeaves);
    _inners.reserve(maxLeaves / (kInnerSize / 2) + kMaxHeight);

    MmLargeVector<int32_t> level;
    for (size_t first = 0; first < sorted.size(); first += kBuildFill) {
        const int32_t id = newLeaf();
        Leaf& leaf = _leaves[id];
        leaf.count = static_cast<int32_t>(std::min<size_t>(kBuildFill, sorted.size() - first));
        std::copy_n(sorted.begin() + static_cast<std::ptrdiff_t>(first), leaf.count, leaf.entries.begin());
        updateBreaks(leaf);
        if (!level.empty()) {
            leaf.previous = level.back();
            _leaves[level.back()].next = id;
            _leaves[level.back()].nextFirst = keyOf(leaf.entries[0]);
        }
        level.push_back(id);
    }
    for (const Entry& entry : sorted) noteDepth(entry);
    if (level.empty()) return;
    _height = 1;
    buildInnerLevels(std::move(level));
}

void ScPlacedIndex::buildInnerLevels(MmLargeVector<int32_t> level) {
    while (level.size() > 1) {
        MmLargeVector<int32_t> parents;
        for (size_t first = 0; first < level.size(); first += kBuildFill) {
            const int32_t id = newInner();
            Inner& inner = _inners[id];
            inner.count = static_cast<int32_t>(std::min<size_t>(kBuildFill, level.size() - first));
            for (int i = 0; i < inner.count; ++i) {
                const int32_t child = level[first + i];
                inner.children[i] = child;
                inner.firsts[i] = _height == 1 ? keyOf(_leaves[child].entries[0]) : _inners[child].firsts[0];
            }
            parents.push_back(id);
        }
        level = std::move(parents);
        ++_height;
    }
    _root = level.front();
}

void ScPlacedIndex::insert(const Entry& entry) {
    Cell& cell = noteDepth(entry);
    if (_height == 0) {
        _root = newLeaf();
        _height = 1;
    }
    const Key key = keyOf(entry);
    // Most entries go where the last search in their cell ended, which needs no descent.
    if (!cell.hint.isNull() && _leaves[cell.hint.leaf].count < kLeafSize && holds(cell.hint.leaf, key)) {
        insertInLeaf(cell.hint.leaf, entry, slotNear(cell.hint, key));
        return;
    }
    std::array<PathStep, kMaxHeight> path;
    int32_t node = _root;
    for (int level = _height - 1; level > 0; --level) {
        const int child = childFor(_inners[node], key);
        path[level] = {node, child};
        node = _inners[node].children[child];
    }
    const Leaf& found = _leaves[node];
    auto slot = static_cast<int32_t>(
        std::upper_bound(found.entries.begin(), found.entries.begin() + found.count, entry, isBefore) -
        found.entries.begin());
    if (found.count == kLeafSize) {
        const int32_t right = splitLeaf(node);
        insertChild(path, 1, keyOf(_leaves[right].entries[0]), right);
        // An entry at the very start of the right half would fall below the key its parent routes by.
        if (slot > kLeafSize / 2) {
            node = right;
            slot -= kLeafSize / 2;
        }
    }
    insertInLeaf(node, entry, slot);
}

void ScPlacedIndex::insertInLeaf(int32_t id, const Entry& entry, int32_t slot) {
    Leaf& leaf = _leaves[id];
    // Remembered runs hold while every leaf they claim alike stays so, and every pair of leaves
    // they join stays joined; an entry at either end of the leaf makes a new pair with a neighbour.
    bool parts = false;
    if (slot == leaf.count && leaf.next >= 0) {
        const Entry& beyond = _leaves[leaf.next].entries[0];
        parts = isAlike(leaf.entries[slot - 1], beyond) && !isAlike(entry, beyond);
    }
    if (slot == 0 && leaf.previous >= 0) {
        const Leaf& before = _leaves[leaf.previous];
        parts = parts || (isAlike(before.entries[before.count - 1], leaf.entries[0]) &&
                          !isAlike(before.entries[before.count - 1], entry));
    }
    const bool wasAlike = leaf.breaks == 0;
    std::copy_backward(leaf.entries.begin() + slot, leaf.entries.begin() + leaf.count,
                       leaf.entries.begin() + leaf.count + 1);
    leaf.entries[slot] = entry;
    ++leaf.count;
    updateBreaksAround(leaf, slot);
    if (parts || (wasAlike && leaf.breaks != 0)) ++_version;
}

int32_t ScPlacedIndex::splitLeaf(int32_t id) {
    const int32_t rightId = newLeaf();
    Leaf& left = _leaves[id];
    Leaf& right = _leaves[rightId];
    constexpr int half = kLeafSize / 2;
    std::copy(left.entries.begin() + half, left.entries.begin() + left.count, right.entries.begin());
    right.count = left.count - half;
    left.count = half;
    right.next = left.next;
    right.previous = id;
    right.nextFirst = left.nextFirst;
    left.nextFirst = keyOf(right.entries[0]);
    if (left.next >= 0) _leaves[left.next].previous = rightId;
    left.next = rightId;
    // The upper half it reached over before may hold unlike entries.
    left.reach[1] = -1;
    updateBreaks(left);
    updateBreaks(right);
    return rightId;
}

// Puts child right after the path's child at level, splitting full inner nodes up to a new root.
void ScPlacedIndex::insertChild(std::array<PathStep, kMaxHeight>& path, int level, const Key& first, int32_t child) {
    Key pendingFirst = first;
    int32_t pendingChild = child;
    for (;; ++level) {
        if (level == _height) {
            ZV_ASSERT(_height < kMaxHeight);
            const int32_t rootId = newInner();
            Inner& root = _inners[rootId];
            root.count = 2;
            root.children[0] = _root;
            root.firsts[0] = _height == 1 ? keyOf(_leaves[_root].entries[0]) : _inners[_root].firsts[0];
            root.children[1] = pendingChild;
            root.firsts[1] = pendingFirst;
            _root = rootId;
            ++_height;
            return;
        }
        int32_t target = path[level].inner;
        int at = path[level].child + 1;
        int32_t split = -1;
        if (_inners[target].count == kInnerSize) {
            split = newInner();
            Inner& left = _inners[target];
            Inner& right = _inners[split];
            constexpr int half = kInnerSize / 2;
            right.count = left.count - half;
            std::copy(left.firsts.begin() + half, left.firsts.begin() + left.count, right.firsts.begin());
            std::copy(left.children.begin() + half, left.children.begin() + left.count, right.children.begin());
            left.count = half;
            if (at > half) {
                target = split;
                at -= half;
            }
        }
        Inner& inner = _inners[target];
        std::copy_backward(inner.firsts.begin() + at, inner.firsts.begin() + inner.count,
                           inner.firsts.begin() + inner.count + 1);
        std::copy_backward(inner.children.begin() + at, inner.children.begin() + inner.count,
                           inner.children.begin() + inner.count + 1);
        inner.firsts[at] = pendingFirst;
        inner.children[at] = pendingChild;
        ++inner.count;
        if (split < 0) return;
        pendingFirst = _inners[split].firsts[0];
        pendingChild = split;
    }
}

int ScPlacedIndex::childFor(const Inner& inner, const Key& key) {
    return static_cast<int>(std::upper_bound(inner.firsts.begin() + 1, inner.firsts.begin() + inner.count, key) -
                            inner.firsts.begin()) -
           1;
}

bool ScPlacedIndex::isAlike(const Entry& a, const Entry& b) const {
    return a.cell == b.cell && a.halfExtent == b.halfExtent &&
           static_cast<double>(b.key) - static_cast<double>(a.key) <= _gapLimit;
}

void ScPlacedIndex::updateBreaks(Leaf& leaf) const {
    leaf.breaks = 0;
    for (int i = 0; i + 1 < leaf.count; ++i)
        if (!isAlike(leaf.entries[i], leaf.entries[i + 1])) leaf.breaks |= uint64_t(1) << i;
}

void ScPlacedIndex::updateBreaksAround(Leaf& leaf, int32_t slot) const {
    const uint64_t below = slot < 2 ? 0 : leaf.breaks & (~uint64_t(0) >> (65 - slot));
    const uint64_t above = slot + 1 >= 64 ? 0 : (leaf.breaks >> slot) << (slot + 1);
    leaf.breaks = below | above;
    if (slot > 0 && !isAlike(leaf.entries[slot - 1], leaf.entries[slot])) leaf.breaks |= uint64_t(1) << (slot - 1);
    if (slot + 1 < leaf.count && !isAlike(leaf.entries[slot], leaf.entries[slot + 1]))
        leaf.breaks |= uint64_t(1) << slot;
}

int32_t ScPlacedIndex::newLeaf() {
    _leaves.emplace_back();
    return static_cast<int32_t>(_leaves.size() - 1);
}

int32_t ScPlacedIndex::newInner() {
    _inners.emplace_back();
    return static_cast<int32_t>(_inners.size() - 1);
}

ScPlacedIndex::Cell& ScPlacedIndex::noteDepth(const Entry& e) {
    ++_cellsVersion;
    if (Cell* cell = findCell(e.cell)) {
        if (e.depth >= cell->minDepth && e.depth <= cell->maxDepth) --_cellsVersion;
        cell->minDepth = std::min(cell->minDepth, e.depth);
        cell->maxDepth = std::max(cell->maxDepth, e.depth);
        return *cell;
    }
    // The table stays at most half full.
    if (2 * (_cells.size() + 1) > _cellTable.size()) {
        _cellTable.assign(2 * _cellTable.size(), -1);
        const auto mask = static_cast<uint32_t>(_cellTable.size() - 1);
        for (size_t i = 0; i < _cells.size(); ++i) {
            uint32_t slot = slotOf(_cells[i].id, mask);
            while (_cellTable[slot] >= 0) slot = (slot + 1) & mask;
            _cellTable[slot] = static_cast<int32_t>(i);
        }
    }
    const auto mask = static_cast<uint32_t>(_cellTable.size() - 1);
    uint32_t slot = slotOf(e.cell, mask);
    while (_cellTable[slot] >= 0) slot = (slot + 1) & mask;
    _cellTable[slot] = static_cast<int32_t>(_cells.size());
    _cells.push_back({e.cell, e.depth, e.depth, {}});
    return _cells.back();
}

ScPlacedIndex::Cell* ScPlacedIndex::findCell(int32_t cell) {
    const auto mask = static_cast<uint32_t>(_cellTable.size() - 1);
    for (uint32_t slot = slotOf(cell, mask); _cellTable[slot] >= 0; slot = (slot + 1) & mask)
        if (_cells[_cellTable[slot]].id == cell) return &_cells[_cellTable[slot]];
    return nullptr;
}

ScPlacedIndex::Cursor ScPlacedIndex::last() const {
    if (_height == 0) return {};
    int32_t node = _root;
    for (int level = _height - 1; level > 0; --level) node = _inners[node].children[_inners[node].count - 1];
    return {node, _leaves[node].count - 1};
}

bool ScPlacedIndex::holds(int32_t id, const Key& key) const {
    const Leaf& leaf = _leaves[id];
    if (leaf.previous >= 0 && key < keyOf(leaf.entries[0])) return false;
    return leaf.next < 0 || key < leaf.nextFirst;
}

ScPlacedIndex::Cursor ScPlacedIndex::seekInLeaf(int32_t id, const Key& key) const {
    const Leaf& leaf = _leaves[id];
    const auto slot =
        static_cast<int32_t>(std::lower_bound(leaf.entries.begin(), leaf.entries.begin() + leaf.count, key,
                                              [](const Entry& e, const Key& k) { return keyOf(e) < k; }) -
                             leaf.entries.begin());
    if (slot < leaf.count) return {id, slot};
    return leaf.next < 0 ? Cursor() : Cursor{leaf.next, 0};
}

// Gallops from the slot towards the key, then searches the last stretch by halves.
int32_t ScPlacedIndex::slotNear(Cursor from, const Key& key) const {
    const Leaf& leaf = _leaves[from.leaf];
    auto isBefore = [&key](const Entry& e, const Key&) { return keyOf(e) < key; };
    const auto begin = leaf.entries.begin();
    const int32_t slot = std::min(from.slot, leaf.count);
    int32_t reach = 1;
    if (slot < leaf.count && keyOf(leaf.entries[slot]) < key) {
        while (slot + reach < leaf.count && keyOf(leaf.entries[slot + reach]) < key) reach *= 2;
        return static_cast<int32_t>(
            std::lower_bound(begin + slot + reach / 2 + 1, begin + std::min(slot + reach, leaf.count), key, isBefore) -
            begin);
    }
    while (slot - reach >= 0 && !(keyOf(leaf.entries[slot - reach]) < key)) reach *= 2;
    return static_cast<int32_t>(
        std::lower_bound(begin + std::max(slot - reach + 1, 0), begin + slot - reach / 2, key, isBefore) - begin);
}

ScPlacedIndex::Cursor ScPlacedIndex::seekNear(Cursor from, const Key& key) const {
    const int32_t slot = slotNear(from, key);
    const Leaf& leaf = _leaves[from.leaf];
    if (slot < leaf.count) return {from.leaf, slot};
    return leaf.next < 0 ? Cursor() : Cursor{leaf.next, 0};
}

ScPlacedIndex::Cursor ScPlacedIndex::seek(Cell& cell, float key) const {
    const Key target{cell.id, key, INT32_MIN};
    if (!cell.hint.isNull()) {
        if (holds(cell.hint.leaf, target)) return cell.hint = seekNear(cell.hint, target);
        const Leaf& near = _leaves[cell.hint.leaf];
        for (int32_t id : {near.next, near.previous})
            if (id >= 0 && holds(id, target)) return cell.hint = seekInLeaf(id, target);
    }
    int32_t node = _root;
    for (int level = _height - 1; level > 0; --level) node = _inners[node].children[childFor(_inners[node], target)];
    return cell.hint = seekInLeaf(node, target);
}

ScPlacedIndex::Cursor ScPlacedIndex::getRunEnd(Cursor c, bool forward) {
    const Leaf& first = _leaves[c.leaf];
    if (forward) {
        if (const uint64_t ahead = first.breaks >> c.slot) return {c.leaf, c.slot + __builtin_ctzll(ahead)};
    } else {
        const uint64_t behind = c.slot == 0 ? 0 : first.breaks & (~uint64_t(0) >> (64 - c.slot));
        if (behind) return {c.leaf, 64 - __builtin_clzll(behind)};
    }
    // The run goes on past the leaf: hop over leaves, taking the remembered reaches, until a leaf's
    // neighbour is unlike or holds a break.
    const int side = forward ? 1 : 0;
    _passed.clear();
    int32_t at = c.leaf;
    Cursor end;
    for (;;) {
        const Leaf& leaf = _leaves[at];
        if (leaf.reachVersion == _version && leaf.reach[side] >= 0) {
            _passed.push_back(at);
            at = leaf.reach[side];
            continue;
        }
        const int32_t neighbour = forward ? leaf.next : leaf.previous;
        const Entry& edge = leaf.entries[forward ? leaf.count - 1 : 0];
        if (neighbour < 0) {
            end = {at, forward ? leaf.count - 1 : 0};
            break;
        }
        const Leaf& beyond = _leaves[neighbour];
        if (!(forward ? isAlike(edge, beyond.entries[0]) : isAlike(beyond.entries[beyond.count - 1], edge))) {
            end = {at, forward ? leaf.count - 1 : 0};
            break;
        }
        if (beyond.breaks) {
            end = {neighbour, forward ? __builtin_ctzll(beyond.breaks) : 64 - __builtin_clzll(beyond.breaks)};
            break;
        }
        _passed.push_back(at);
        at = neighbour;
    }
    for (int32_t passed : _passed) {
        Leaf& leaf = _leaves[passed];
        if (leaf.reachVersion != _version) leaf.reach = {-1, -1};
        leaf.reachVersion = _version;
        leaf.reach[side] = at;
    }
    return end;
}

} // namespace Zv
