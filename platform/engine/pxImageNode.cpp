#include "platform/engine/pxImageNode.h"

#include "platform/engine/pxUpstream.h"

namespace Zv {

PxImageNode::PxImageNode(const RCStrongPtr<PiNode>& node, int outputIndex)
    : _node(node), _graph(RCStrongPtr<PiGraph>(node->getGraph())), _nodeId(node->getId()), _outputIndex(outputIndex) {}

RCStrongPtr<PiNode> PxImageNode::getNode() const {
    RCStrongPtr<PiNode> node = _node.lock();
    return node && node->isLive() ? node : RCStrongPtr<PiNode>();
}

const PiNode* PxImageNode::findProducer(std::vector<const PiNode*>* passed) const {
    RCStrongPtr<PiNode> node = getNode();
    if (!node) return nullptr;
    if (_outputIndex < 0) return node.get();
    const PiOutput* source = PxUpstream::resolve(node->getOutput(_outputIndex).get(), passed);
    return source ? source->getNodePtr() : nullptr;
}

bool PxImageNode::dependsOn(const std::unordered_set<int>& nodeIds) const {
    if (nodeIds.count(_nodeId)) return true;
    if (!getNode()) return false;
    std::vector<const PiNode*> passed;
    const PiNode* producer = findProducer(&passed);
    for (const PiNode* through : passed)
        if (nodeIds.count(through->getId())) return true;
    return producer && PxUpstream::dependsOn(*producer, nodeIds);
}

} // namespace Zv
