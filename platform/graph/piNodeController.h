#pragma once

#include "platform/graph/piGraph.h"
#include "platform/graph/piNodeEvent.h"

namespace Zv {

// Registers handlers for the events of one node.
class PiNodeController {
public:
    explicit PiNodeController(RCStrongPtr<PiNode> node) : _node(std::move(node)) {}

    // The handler is called with the input concerned.
    CbRegistration addCallback(PiNodeEvent event, RCStrongPtr<PiGraph::InputHandler> handler) {
        return _node->getGraph()->addConversionCb(*_node, std::move(handler));
    }

private:
    RCStrongPtr<PiNode> _node;
};

} // namespace Zv
