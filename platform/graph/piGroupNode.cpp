#include "platform/graph/piGroupNode.h"

#include "platform/base/assertions.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraph.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace Zv {

PiGroupNode::PiGroupNode(PiGraph* graph, int id, PiTool* tool, LiString name)
    : PiNode(graph, id, tool, std::move(name)) {}

// Members that die with the group are taken apart here, not in their own destructors, so that
// groups nested to any depth cost no stack.
PiGroupNode::~PiGroupNode() {
    std::vector<RCStrongPtr<PiNode>> dying = std::move(_members);
    while (!dying.empty()) {
        RCStrongPtr<PiNode> node = std::move(dying.back());
        dying.pop_back();
        auto* group = dynamic_cast<PiGroupNode*>(node.get());
        if (!group || group->getRefCount() > 1) continue;
        std::move(group->_members.begin(), group->_members.end(), std::back_inserter(dying));
        group->_members.clear();
    }
}

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

LiString PiGroupNode::getUniqueSocketName(const LiString& name, bool isOutput) const {
    LiString unique = name;
    for (int number = 2; hasSocketNamed(unique, isOutput); ++number) unique = name + std::to_string(number);
    return unique;
}

bool PiGroupNode::hasSocketNamed(const LiString& name, bool isOutput) const {
    auto named = [&](const auto& sockets) {
        return std::any_of(sockets.begin(), sockets.end(),
                           [&](const auto& socket) { return socket->getName() == name; });
    };
    return isOutput ? named(getOutputs()) : named(getInputs());
}

bool PiGroupNode::isRoot() const {
    return getGraph() && getGraph()->getRootGroup().get() == this;
}

} // namespace Zv
