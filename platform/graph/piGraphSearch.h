#pragma once

#include "platform/graph/piNodePredicate.h"
#include "platform/graph/piPath.h"

namespace Zv {

class PiGraphSearch {
public:
    // Depth-first through group members, in member order: the path from node to the first node
    // that passes the predicate (node itself included), or null when none does.
    static RCShdPtr<PiPath> heightFirst(const RCStrongPtr<PiNode>& node, const PiNodePredicate& predicate);
};

} // namespace Zv
