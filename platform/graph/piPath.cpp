#include "platform/graph/piPath.h"

#include "platform/base/assertions.h"
#include "platform/graph/piGraph.h"

#include <algorithm>

namespace Zv {

RCShdPtr<PiPath> PiPath::ofNode(const RCStrongPtr<PiNode>& node) {
    std::vector<RCStrongPtr<PiNode>> nodes{node};
    for (PiGroupNode* group = node->getGroupPtr(); group && !group->isRoot(); group = group->getGroupPtr())
        nodes.emplace_back(group);
    std::reverse(nodes.begin(), nodes.end());
    return makeRC<PiPath>(std::move(nodes));
}

const RCStrongPtr<PiNode>& PiPath::getNode(int index) const {
    ZV_ASSERT(index >= 0 && index < getNbNodes());
    return _nodes[index];
}

RCStrongPtr<PiNode> PiPath::getLast() const {
    return _nodes.empty() ? RCStrongPtr<PiNode>() : _nodes.back();
}

bool PiPath::contains(const PiNode& node) const {
    return std::any_of(_nodes.begin(), _nodes.end(), [&](const auto& n) { return n.get() == &node; });
}

CbRegistration PiPath::addInvalidateCb(RCStrongPtr<InvalidateHandler> handler) {
    if (!_tracked && _valid && !_nodes.empty()) {
        _nodes.front()->getGraph()->trackPath(RCShdPtr<PiPath>(this));
        _tracked = true;
    }
    return _invalidated.add(std::move(handler));
}

void PiPath::invalidate() {
    if (!_valid) return;
    _valid = false;
    _invalidated.call(RCShdPtr<PiPath>(this));
}

} // namespace Zv
