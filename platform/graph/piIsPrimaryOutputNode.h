#pragma once

#include "platform/graph/piNode.h"
#include "platform/graph/piNodePredicate.h"
#include "platform/graph/piTool.h"

namespace Zv {

// True for the composition's primary output: a node of the Output tool.
class PiIsPrimaryOutputNode {
public:
    static bool test(const PiNode& node) { return node.getToolRef().getKind() == PiTool::Output; }
    static PiNodePredicate getPredicate() { return &test; }
};

} // namespace Zv
