#pragma once

#include "platform/graph/piIsBoundaryNode.h"

namespace Zv {

// True for a boundary node whose group socket the user added. Every group socket is added by the
// user here, so this is every boundary node.
class PiIsDynamicBoundaryNode {
public:
    static bool test(const PiNode& node) { return PiIsBoundaryNode::test(node); }
    static PiNodePredicate getPredicate() { return &test; }
};

} // namespace Zv
