#pragma once

#include "platform/base/rcStrongPtr.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace Zv {

// A set of shared scene objects that iterates in insertion order, so drawing, picking and layout
// visit objects the same way on every run. Insert, erase and lookup are O(1); erased slots are
// compacted away once they outnumber the live ones (which invalidates iterators, as erasing does).
// Its version changes with every insertion and removal, so what is built from it knows it is stale.
template <class T>
class ScOrderedSet {
public:
    class const_iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag;
        using value_type = RCStrongPtr<T>;
        using difference_type = std::ptrdiff_t;
        using pointer = const RCStrongPtr<T>*;
        using reference = const RCStrongPtr<T>&;

        const_iterator() = default;
        reference operator*() const { return (*_items)[_index]; }
        pointer operator->() const { return &(*_items)[_index]; }
        const_iterator& operator++() {
            do ++_index;
            while (_index < _items->size() && (*_items)[_index].isNull());
            return *this;
        }
        const_iterator& operator--() {
            do --_index;
            while ((*_items)[_index].isNull());
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++*this;
            return old;
        }
        const_iterator operator--(int) {
            const_iterator old = *this;
            --*this;
            return old;
        }
        bool operator==(const const_iterator& other) const { return _index == other._index; }

    private:
        friend class ScOrderedSet;
        const_iterator(const std::vector<RCStrongPtr<T>>* items, size_t index) : _items(items), _index(index) {}
        const std::vector<RCStrongPtr<T>>* _items = nullptr;
        size_t _index = 0;
    };
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    // False when the object is null or already in the set.
    bool insert(const RCStrongPtr<T>& item) {
        if (item.isNull() || contains(item.get())) return false;
        if (2 * (_size + 1) > _table.size()) rehash(std::max<size_t>(16, 2 * _table.size()));
        place(item.get(), _items.size());
        _items.push_back(item);
        ++_version;
        return true;
    }
    bool erase(const T* item) {
        const size_t at = find(item);
        if (!_table[at].item) return false;
        _items[_table[at].index].reset();
        removeAt(at);
        ++_version;
        if (++_nbErased > 16 && _nbErased * 2 > _items.size()) compact();
        return true;
    }
    bool contains(const T* item) const { return !_table.empty() && _table[find(item)].item != nullptr; }
    void clear() {
        _items.clear();
        _table.clear();
        _size = 0;
        _nbErased = 0;
        ++_version;
    }
    size_t size() const { return _size; }
    bool empty() const { return _size == 0; }
    uint64_t getVersion() const { return _version; }

    const_iterator begin() const {
        size_t first = 0;
        while (first < _items.size() && _items[first].isNull()) ++first;
        return {&_items, first};
    }
    const_iterator end() const { return {&_items, _items.size()}; }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }

private:
    // Where an object sits in _items, in a table probed linearly and kept at most half full: no
    // allocation per object.
    struct Slot {
        const T* item = nullptr;
        size_t index = 0;
    };
    size_t mask() const { return _table.size() - 1; }
    size_t home(const T* item) const {
        return static_cast<size_t>((reinterpret_cast<uintptr_t>(item) >> 4) * 0x9E3779B97F4A7C15ull >> 20) & mask();
    }
    // The slot holding item, or the empty slot where it would go.
    size_t find(const T* item) const {
        size_t at = home(item);
        while (_table[at].item && _table[at].item != item) at = (at + 1) & mask();
        return at;
    }
    void place(const T* item, size_t index) {
        _table[find(item)] = {item, index};
        ++_size;
    }
    // Moves later entries of the probe run back, so no search stops short at the hole.
    void removeAt(size_t hole) {
        --_size;
        for (size_t at = (hole + 1) & mask(); _table[at].item; at = (at + 1) & mask()) {
            const size_t wanted = home(_table[at].item);
            if (((at - wanted) & mask()) >= ((at - hole) & mask())) {
                _table[hole] = _table[at];
                hole = at;
            }
        }
        _table[hole] = {};
    }
    void rehash(size_t capacity) {
        _table.assign(capacity, {});
        _size = 0;
        for (size_t i = 0; i < _items.size(); ++i)
            if (!_items[i].isNull()) place(_items[i].get(), i);
    }
    void compact() {
        std::erase_if(_items, [](const RCStrongPtr<T>& item) { return item.isNull(); });
        rehash(_table.size());
        _nbErased = 0;
    }

    std::vector<RCStrongPtr<T>> _items; // null where erased
    std::vector<Slot> _table;
    size_t _size = 0;
    size_t _nbErased = 0;
    uint64_t _version = 0;
};

} // namespace Zv
