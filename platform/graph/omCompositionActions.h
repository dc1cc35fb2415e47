#pragma once

#include "platform/base/liString.h"
#include "platform/graph/snSelection.h"

#include <vector>

namespace Zv {

class PiGroupNode;
class PiNode;

// The composition's node actions. Each acts on the valid node items of the selection, or on the
// item's node when the selection names none; each is one undo entry and returns false, changing
// nothing, when it does not apply.
class OmCompositionActions {
public:
    using Item = RCStrongPtr<SnItem>;
    using Selection = RCShdPtr<SnSelection>;

    // The nodes an action acts on: each valid node item of the selection once, in selection order,
    // or the item's node when the selection names none.
    static std::vector<RCStrongPtr<PiNode>> getTargetNodes(const Item& item, const Selection& selection);

    static bool executeRemoveNodeAction(const Item& item, const Selection& selection);
    // Nodes of one group (no boundary nodes) go into a new group node; connections that cross the
    // group's edge pass through new group sockets.
    static bool executeGroupNodesAction(const Item& item, const Selection& selection);
    // Group nodes are dissolved: members go to the enclosing group and keep their connections.
    static bool executeUngroupNodesAction(const Item& item, const Selection& selection);

    // Nodes beside the group move into it, members of one group out to its enclosing group. Every
    // connection stays: one that comes to cross the group's edge passes through a group socket made for
    // it, one that passed through a group socket of the moved nodes' own goes straight, and a socket
    // left with nothing to carry goes. Boundary nodes, the primary output and the group itself do not
    // move. Both are edits for the caller's undo scope; false, changing nothing, when no node moves.
    static bool moveNodesIntoGroup(const std::vector<RCStrongPtr<PiNode>>& nodes,
                                   const RCStrongPtr<PiGroupNode>& group);
    static bool moveNodesOutOfGroup(const std::vector<RCStrongPtr<PiNode>>& nodes);
    static bool executeMuteNodeAction(const Item& item, const Selection& selection);
    static bool executeUnmuteNodeAction(const Item& item, const Selection& selection);
    // Gives nodes back their tool's state: not muted, not marked for keyframing, result state 0.
    static bool executeResetNodeAction(const Item& item, const Selection& selection);

    // Shortcut texts shown in the composition's menus.
    static void setRemoveNodeDisplayString(const LiString& text) { strings().remove = text; }
    static void setResetNodeDisplayString(const LiString& text) { strings().reset = text; }
    static void setMuteNodeDisplayString(const LiString& text) { strings().mute = text; }
    static void setUnmuteNodeDisplayString(const LiString& text) { strings().unmute = text; }
    static void setGroupNodesDisplayString(const LiString& text) { strings().group = text; }
    static const LiString& getRemoveNodeDisplayString() { return strings().remove; }
    static const LiString& getResetNodeDisplayString() { return strings().reset; }
    static const LiString& getMuteNodeDisplayString() { return strings().mute; }
    static const LiString& getUnmuteNodeDisplayString() { return strings().unmute; }
    static const LiString& getGroupNodesDisplayString() { return strings().group; }

private:
    struct DisplayStrings {
        LiString remove, reset, mute, unmute, group;
    };
    static DisplayStrings& strings();
};

} // namespace Zv
