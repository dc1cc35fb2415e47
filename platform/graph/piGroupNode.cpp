#include "platform/graph/piGroupNode.h"

#include "platform/base/assertions.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraph.h"

namespace Zv {

PiGroupNode::PiGroupNode(PiGraph* graph, int id, PiTool* tool, LiString name)
    : PiNode(graph, id, tool, std::move(name)) {}

PiGroupNode::~PiGroupNode() = default;

RCStrongPtr<PiNode> PiGroupNode::getMember(int index) const {
    ZV_ASSERT(index >= 0 && index < getNbMembers());
    return _members[index];
}

RCStrongPtr<PiBoundaryNode> PiGroupNode::getBoundaryNode(const PiSocket& groupSocket) const {
    if (groupSocket.getNodePtr() != this) return {};
    const auto& boundaries = groupSocket.isInput() ? _inputBoundaries : _outputBoundaries;
    int index = groupSocket.getIndex();
    return index < static_cast<int>(boundaries.size()) ? boundaries[index] : RCStrongPtr<PiBoundaryNode>();
}

bool PiGroupNode::isRoot() const {
    return getGraph() && getGraph()->getRootGroup().get() == this;
}

} // namespace Zv
