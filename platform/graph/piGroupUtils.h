#pragma once

#include "platform/graph/piGroupNode.h"

#include <vector>

namespace Zv {

class PiGroupUtils {
public:
    // The node a socket belongs to (a value of a multi-valued input: the node of that input).
    static RCStrongPtr<PiNode> getNode(const PiSocket& socket) { return socket.getNode(); }
    // The group in which connections to the socket are made: the group holding its node.
    static RCStrongPtr<PiGroupNode> getGroupNode(const PiSocket& socket);

    // Walks a node and, inside every group met, its members, depth first and without recursion, so
    // that nesting of any depth is safe: enter(node) before a group's members, leave(node) after
    // them. The walk stops when enter returns false; leave is then not called for the open nodes.
    template <class Enter, class Leave>
    static void walkTree(PiNode& top, Enter enter, Leave leave);
};

template <class Enter, class Leave>
void PiGroupUtils::walkTree(PiNode& top, Enter enter, Leave leave) {
    struct Open {
        PiNode* node;
        const PiGroupNode* group;
        size_t next;
    };
    if (!enter(top)) return;
    const auto* topGroup = dynamic_cast<const PiGroupNode*>(&top);
    // Most walks start at a plain node, which needs no stack.
    if (!topGroup) {
        leave(top);
        return;
    }
    std::vector<Open> open{{&top, topGroup, 0}};
    while (!open.empty()) {
        Open& current = open.back();
        if (!current.group || current.next == current.group->getMembers().size()) {
            leave(*current.node);
            open.pop_back();
            continue;
        }
        PiNode* member = current.group->getMembers()[current.next++].get();
        if (!enter(*member)) return;
        open.push_back({member, dynamic_cast<const PiGroupNode*>(member), 0});
    }
}

} // namespace Zv
