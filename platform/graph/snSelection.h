#pragma once

#include "platform/base/cbList.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/snItem.h"

#include <vector>

namespace Zv {

// An ordered set of selection items; equal items are held once. Changes are announced.
class SnSelection : public RCBase {
public:
    using Items = std::vector<RCStrongPtr<SnItem>>;
    using ChangedHandler = CbHandler<const SnSelection&>;

    static RCShdPtr<SnSelection> create(Items items = {});

    Items::const_iterator begin() const { return _items.begin(); }
    Items::const_iterator end() const { return _items.end(); }
    const Items& getItems() const { return _items; }
    int getNbItems() const { return static_cast<int>(_items.size()); }
    bool isEmpty() const { return _items.empty(); }
    bool contains(const SnItem& item) const;

    void add(const RCStrongPtr<SnItem>& item);
    void remove(const SnItem& item);
    // Adds the item when absent, removes it when present.
    void toggle(const RCStrongPtr<SnItem>& item);
    void clear();
    void replaceAll(const Items& items);

    // The same items, in any order.
    bool operator==(const SnSelection& other) const;

    CbRegistration addChangedCb(RCStrongPtr<ChangedHandler> handler) { return _changed.add(std::move(handler)); }

private:
    explicit SnSelection(Items items);
    void changed() { _changed.call(*this); }

    Items _items;
    CbList<const SnSelection&> _changed;
};

} // namespace Zv
