#pragma once

#include "platform/graph/piComposition.h"
#include "platform/graph/piNode.h"

namespace Zv {

class PiCompositionUtils {
public:
    // The input of node fed by output, or null.
    static RCStrongPtr<PiInput> findConnectedInputMatchingOutput(const PiOutput& output, const PiNode& node);
    // Renames the node when another member of its group has its name: the name's stem and the
    // smallest number that makes it unique.
    static void setUniqueName(const RCStrongPtr<PiNode>& node);
    // The same for nodes of one group, each kept clear of the others' names too.
    static void setUniqueNames(const std::vector<RCStrongPtr<PiNode>>& nodes);
    // The composition a link node refers to; null for other nodes.
    static RCStrongPtr<PiComposition> getComposition(const PiNode& node);
    // Undoable edits of a link node.
    static void setLink(const RCStrongPtr<PiNode>& node, const LiString& path, PiComposition::Role role);
    static void setOutOfDate(const RCStrongPtr<PiNode>& node, bool outOfDate);

    // Keys of a link node's values.
    static constexpr const char* kLinkKey = "Link";
    static constexpr const char* kRoleKey = "Role";
    static constexpr const char* kOutOfDateKey = "OutOfDate";
};

} // namespace Zv
