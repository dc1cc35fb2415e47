#pragma once

#include "platform/graph/piSnItem.h"

namespace Zv {

class PiSnItemUtil {
public:
    // A changeable item for a node, with the path of its enclosing groups.
    static RCStrongPtr<PiSnItem<PiNode>> create(const RCStrongPtr<PiNode>& node) {
        return PiSnItem<PiNode>::create(node, PiPath::ofNode(node));
    }
};

} // namespace Zv
