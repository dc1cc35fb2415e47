#include "platform/graph/piNodeAnchorUtils.h"

#include "platform/graph/piGraph.h"

#include <algorithm>

namespace Zv {

void PiNodeAnchorUtils::addAnchor(const RCStrongPtr<PiNode>& node, const PiNodeAnchor& anchor) {
    std::vector<PiNodeAnchor> anchors = node->getAnchors();
    anchors.push_back(anchor);
    node->getGraph()->setAnchors(node, anchors);
}

void PiNodeAnchorUtils::removeAnchor(const RCStrongPtr<PiNode>& node, const PiNodeAnchor& anchor) {
    std::vector<PiNodeAnchor> anchors = node->getAnchors();
    auto found = std::find(anchors.begin(), anchors.end(), anchor);
    if (found == anchors.end()) return;
    anchors.erase(found);
    node->getGraph()->setAnchors(node, anchors);
}

void PiNodeAnchorUtils::removeAnchors(const RCStrongPtr<PiNode>& node) {
    node->getGraph()->setAnchors(node, {});
}

} // namespace Zv
