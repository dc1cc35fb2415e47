#pragma once

#include "platform/graph/piNode.h"

namespace Zv {

// Reads and edits a node's anchors; edits are undoable.
class PiNodeAnchorUtils {
public:
    static const std::vector<PiNodeAnchor>& getAnchors(const PiNode& node) { return node.getAnchors(); }
    static bool hasAnchors(const PiNode& node) { return !node.getAnchors().empty(); }
    static void addAnchor(const RCStrongPtr<PiNode>& node, const PiNodeAnchor& anchor);
    // Removes the first anchor equal to the given one.
    static void removeAnchor(const RCStrongPtr<PiNode>& node, const PiNodeAnchor& anchor);
    static void removeAnchors(const RCStrongPtr<PiNode>& node);
};

} // namespace Zv
