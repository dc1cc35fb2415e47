#include "platform/graph/piGraphSearch.h"

#include "platform/graph/piGroupUtils.h"

namespace Zv {

RCShdPtr<PiPath> PiGraphSearch::heightFirst(const RCStrongPtr<PiNode>& node, const PiNodePredicate& predicate) {
    std::vector<RCStrongPtr<PiNode>> path;
    bool found = false;
    PiGroupUtils::walkTree(
        *node,
        [&](PiNode& visited) {
            path.emplace_back(&visited);
            found = predicate(visited);
            return !found;
        },
        [&](PiNode&) { path.pop_back(); });
    if (!found) return {};
    return makeRC<PiPath>(std::move(path));
}

} // namespace Zv
