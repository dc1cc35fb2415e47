#pragma once

#include "platform/graph/piSnItemConst.h"

namespace Zv {

// True for a selection item naming a node, an input or an output that is still in its graph.
class PiIsValidGraphObjectItem {
public:
    static bool test(const SnItem& item) {
        return isValidItem<PiNode>(item) || isValidItem<PiInput>(item) || isValidItem<PiOutput>(item);
    }

private:
    template <class T>
    static bool isValidItem(const SnItem& item) {
        auto* graphItem = dynamic_cast<const PiSnItemConst<T>*>(&item);
        return graphItem && graphItem->isValid();
    }
};

} // namespace Zv
