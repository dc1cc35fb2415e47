#include "platform/graph/snSelection.h"

#include <algorithm>

namespace Zv {
namespace {

auto findItem(const SnSelection::Items& items, const SnItem& item) {
    return std::find_if(items.begin(), items.end(), [&](const auto& i) { return i->isEqual(item); });
}

SnSelection::Items unique(const SnSelection::Items& items) {
    SnSelection::Items kept;
    for (const auto& item : items)
        if (findItem(kept, *item) == kept.end()) kept.push_back(item);
    return kept;
}

} // namespace

SnSelection::SnSelection(Items items) : _items(unique(items)) {}

RCShdPtr<SnSelection> SnSelection::create(Items items) {
    return RCShdPtr<SnSelection>(new SnSelection(std::move(items)));
}

bool SnSelection::contains(const SnItem& item) const {
    return findItem(_items, item) != _items.end();
}

void SnSelection::add(const RCStrongPtr<SnItem>& item) {
    if (contains(*item)) return;
    _items.push_back(item);
    changed();
}

void SnSelection::remove(const SnItem& item) {
    auto found = findItem(_items, item);
    if (found == _items.end()) return;
    _items.erase(found);
    changed();
}

void SnSelection::toggle(const RCStrongPtr<SnItem>& item) {
    if (contains(*item)) remove(*item);
    else add(item);
}

void SnSelection::clear() {
    if (_items.empty()) return;
    _items.clear();
    changed();
}

void SnSelection::replaceAll(const Items& items) {
    Items kept = unique(items);
    if (kept.size() == _items.size() && std::equal(kept.begin(), kept.end(), _items.begin(),
                                                   [](const auto& a, const auto& b) { return a->isEqual(*b); }))
        return;
    _items = std::move(kept);
    changed();
}

bool SnSelection::operator==(const SnSelection& other) const {
    return _items.size() == other._items.size() &&
           std::all_of(_items.begin(), _items.end(), [&](const auto& item) { return other.contains(*item); });
}

} // namespace Zv
