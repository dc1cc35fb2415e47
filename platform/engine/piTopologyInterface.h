#pragma once

#include "platform/engine/pxNode.h"
#include "platform/graph/piNode.h"

namespace Zv {

// How a processing node's outputs map onto the image engine's nodes.
class PiTopologyInterface : public RCBase {
public:
    static RCStrongPtr<PiTopologyInterface> getInterface(const RCStrongPtr<PiNode>& node);

    // The engine node behind one of the node's outputs: a PxImageNode for an image output, a plain
    // PxNode for a parameter. A null output stands for an output node's own result (what it shows);
    // other nodes have none, and an output of another node has none either: null.
    RCStrongPtr<PxNode> getOutputProcNode(const RCStrongPtr<PiOutput>& output) const;

private:
    explicit PiTopologyInterface(RCStrongPtr<PiNode> node) : _node(std::move(node)) {}
    RCStrongPtr<PiNode> _node;
};

} // namespace Zv
