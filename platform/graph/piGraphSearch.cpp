#include "platform/graph/piGraphSearch.h"

#include "platform/graph/piGroupNode.h"

namespace Zv {
namespace {

bool search(const RCStrongPtr<PiNode>& node, const PiNodePredicate& predicate, std::vector<RCStrongPtr<PiNode>>& path) {
    path.push_back(node);
    if (predicate(*node)) return true;
    if (auto* group = dynamic_cast<PiGroupNode*>(node.get()))
        for (const auto& member : group->getMembers())
            if (search(member, predicate, path)) return true;
    path.pop_back();
    return false;
}

} // namespace

RCShdPtr<PiPath> PiGraphSearch::heightFirst(const RCStrongPtr<PiNode>& node, const PiNodePredicate& predicate) {
    std::vector<RCStrongPtr<PiNode>> path;
    if (!search(node, predicate, path)) return {};
    return makeRC<PiPath>(std::move(path));
}

} // namespace Zv
