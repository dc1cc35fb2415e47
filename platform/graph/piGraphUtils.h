#pragma once

#include "platform/base/xmlWriter.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piNodePredicate.h"
#include "platform/graph/piTool.h"

#include <vector>

namespace Zv {

class PiGraphUtils {
public:
    static RCStrongPtr<PiTool> getTool(const PiNode& node) { return node.getTool(); }

    // Writes the nodes (with their members and values) and the connections among them as one
    // <archive> element: the clipboard format. Boundary nodes, nodes inside another listed group
    // and nodes listed twice are not written on their own.
    static void archiveNodes(const std::vector<RCStrongPtr<PiNode>>& nodes, XmlWriter& writer);
    // Creates archived nodes, with the connections among them, in group: an undoable edit. Returns
    // the new top-level nodes. A malformed text raises ExBadInput naming source, line and reason,
    // and creates nothing.
    static std::vector<RCStrongPtr<PiNode>> unarchiveNodes(const LiString& text, const LiString& source,
                                                           const RCStrongPtr<PiGroupNode>& group);
    // Passes every node except links to footage, for searches that must not follow them.
    static PiNodePredicate getNoFootageLinkPredicate();
};

} // namespace Zv
