#pragma once

#include "platform/base/rcStrongPtr.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <unordered_map>
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
        _slots.emplace(item.get(), _items.size());
        _items.push_back(item);
        ++_version;
        return true;
    }
    bool erase(const T* item) {
        auto slot = _slots.find(item);
        if (slot == _slots.end()) return false;
        _items[slot->second].reset();
        _slots.erase(slot);
        ++_version;
        if (++_nbErased > 16 && _nbErased * 2 > _items.size()) compact();
        return true;
    }
    bool contains(const T* item) const { return _slots.count(item) != 0; }
    void clear() {
        _items.clear();
        _slots.clear();
        _nbErased = 0;
        ++_version;
    }
    size_t size() const { return _slots.size(); }
    bool empty() const { return _slots.empty(); }
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
    void compact() {
        std::erase_if(_items, [](const RCStrongPtr<T>& item) { return item.isNull(); });
        for (size_t i = 0; i < _items.size(); ++i) _slots[_items[i].get()] = i;
        _nbErased = 0;
    }

    std::vector<RCStrongPtr<T>> _items; // null where erased
    std::unordered_map<const T*, size_t> _slots;
    size_t _nbErased = 0;
    uint64_t _version = 0;
};

} // namespace Zv
