#pragma once

#include "platform/graph/piGroupNode.h"

namespace Zv {

class PiGroupUtils {
public:
    // The node a socket belongs to (a value of a multi-valued input: the node of that input).
    static RCStrongPtr<PiNode> getNode(const PiSocket& socket) { return socket.getNode(); }
    // The group in which connections to the socket are made: the group holding its node.
    static RCStrongPtr<PiGroupNode> getGroupNode(const PiSocket& socket);
};

} // namespace Zv
