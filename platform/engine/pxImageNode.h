#pragma once

#include "platform/base/rcWeakPtr.h"
#include "platform/engine/pxNode.h"
#include "platform/engine/pxPassThroughProtocol.h"
#include "platform/graph/piGraph.h"

#include <unordered_set>
#include <vector>

namespace Zv {

// The engine node that computes the image of one output of a processing node (or, for an output
// node, the image it shows). Holds the processing node weakly: it reads as removed once it is gone.
class PxImageNode : public PxNode, public PxPassThroughProtocol {
public:
    // outputIndex -1 stands for the node's own result (an output node's input).
    PxImageNode(const RCStrongPtr<PiNode>& node, int outputIndex);

    // The processing node while it belongs to a graph, else null.
    RCStrongPtr<PiNode> getNode() const;
    RCStrongPtr<PiGraph> getGraph() const { return _graph.lock(); }
    int getNodeId() const { return _nodeId; }
    int getOutputIndex() const { return _outputIndex; }
    // Application thread: the node that computes this image, or null when nothing feeds it. Group
    // and boundary nodes on the way go to passed, when given.
    const PiNode* findProducer(std::vector<const PiNode*>* passed = nullptr) const;
    // Application thread: whether the image depends on any of the nodes.
    bool dependsOn(const std::unordered_set<int>& nodeIds) const;

private:
    RCWeakPtr<PiNode> _node;
    RCWeakPtr<PiGraph> _graph;
    int _nodeId;
    int _outputIndex;
};

} // namespace Zv
