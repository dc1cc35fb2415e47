#include "platform/engine/piTopologyInterface.h"

#include "platform/engine/pxImageNode.h"
#include "platform/graph/piTool.h"

namespace Zv {

RCStrongPtr<PiTopologyInterface> PiTopologyInterface::getInterface(const RCStrongPtr<PiNode>& node) {
    return RCStrongPtr<PiTopologyInterface>(new PiTopologyInterface(node));
}

RCStrongPtr<PxNode> PiTopologyInterface::getOutputProcNode(const RCStrongPtr<PiOutput>& output) const {
    if (!output) {
        if (_node->getToolRef().getKind() != PiTool::Output) return {};
        return makeRC<PxImageNode>(_node, -1);
    }
    if (output->getNodePtr() != _node.get()) return {};
    if (output->getSocketTypeIndex() < PiSocketDesc::Image) return makeRC<PxNode>();
    return makeRC<PxImageNode>(_node, output->getIndex());
}

} // namespace Zv
