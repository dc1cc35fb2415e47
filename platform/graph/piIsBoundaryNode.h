#pragma once

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piNodePredicate.h"

namespace Zv {

// True for a boundary node of a group.
class PiIsBoundaryNode {
public:
    static bool test(const PiNode& node) { return dynamic_cast<const PiBoundaryNode*>(&node) != nullptr; }
    static PiNodePredicate getPredicate() { return &test; }
};

} // namespace Zv
