#pragma once

#include "platform/graph/piNode.h"

#include <vector>

namespace Zv {

// Integer values stored on nodes under a key, and the collapsed chains they mark.
class PiNodeUtils {
public:
    // The key of the collapse marker, and its values.
    static const LiString C_VALUE;
    enum Marker { HIDDEN = 1, COLLAPSED = 2, UNCOLLAPSED = 3 };
    // The key of a node's result state (0 or 1).
    static const LiString RESULT_VALUE;

    static bool hasStoredValue(const PiNode& node, const LiString& key, int value);
    // False when nothing is stored under the key.
    static bool getStoredValue(const PiNode& node, const LiString& key, int& value);
    static void setStoredValue(const RCStrongPtr<PiNode>& node, const LiString& key, int value);
    static void removeStoredValue(const RCStrongPtr<PiNode>& node, const LiString& key);

    // For a socket of a node hidden in a collapsed chain, the chain's head that stands for it; else null.
    static RCStrongPtr<PiNode> getCollapseNode(const PiSocket& socket);
    // 1 for a node that stays visible when a chain through it collapses (groups, boundary nodes and
    // heads of other collapsed chains), 0 for one that folds.
    static int getCollapseType(const PiNode& node);
    // Gathers the nodes upstream of head that fold into it, nearest first. With outputCheck, a node
    // is taken only when all its consumers are the head or already taken; with check, only nodes marked
    // hidden are followed and each taken node and the head get the marker. Nodes of collapse type 1 are
    // taken but not looked through.
    static void collapseNodeTree(const RCStrongPtr<PiNode>& head, int outputCheck, int check, int marker,
                                 std::vector<RCStrongPtr<PiNode>>& list);
    // Expands the chain collapsed into head, or collapses the nodes upstream that feed only it: they are
    // marked hidden, the head collapsed, and nodes that stay visible (collapse type 1) uncollapsed.
    static void toggleCollapse(const RCStrongPtr<PiNode>& head);
    // The tabs an input shows: one per value of a multi-valued input (one while it has none), else one.
    static int getNbInputTabs(const PiInput& input);
    // Switches the node's result state between 0 and 1.
    static void toggleResultState(const RCStrongPtr<PiNode>& node);
    static int getResultState(const PiNode& node);
};

} // namespace Zv
