#pragma once

#include "platform/graph/piNode.h"
#include "platform/graph/piNodePredicate.h"

namespace Zv {

// True for a node that ends the flow: it has inputs and no outputs.
class PiIsOutputNode {
public:
    static bool test(const PiNode& node) { return node.getNbOutputs() == 0 && node.getNbInputs() > 0; }
    static PiNodePredicate getPredicate() { return &test; }
};

} // namespace Zv
