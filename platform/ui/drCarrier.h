#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/snItem.h"

#include <vector>

namespace Zv {

// What a copy or a drag carries: a text that can travel through the system clipboard (node
// archives are XML text), items that only travel within the process (tools, files), and, for a
// drag, the scene point under the pointer.
class DrCarrier : public RCBase {
public:
    static RCShdPtr<DrCarrier> create();
    ~DrCarrier() override;

    void setText(const LiString& text) { _text = text; }
    const LiString& getText() const { return _text; }
    void addItem(const RCStrongPtr<SnItem>& item) { _items.push_back(item); }
    const std::vector<RCStrongPtr<SnItem>>& getItems() const { return _items; }
    void setLocation(const GePoint2<float>& location) { _location = location; }
    const GePoint2<float>& getLocation() const { return _location; }
    bool isEmpty() const { return _text.isEmpty() && _items.empty(); }

private:
    DrCarrier();

    LiString _text;
    std::vector<RCStrongPtr<SnItem>> _items;
    GePoint2<float> _location;
};

} // namespace Zv
