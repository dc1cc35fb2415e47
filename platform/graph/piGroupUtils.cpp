#include "platform/graph/piGroupUtils.h"

namespace Zv {

RCStrongPtr<PiGroupNode> PiGroupUtils::getGroupNode(const PiSocket& socket) {
    PiNode* node = socket.getNodePtr();
    return node ? node->getGroup() : RCStrongPtr<PiGroupNode>();
}

} // namespace Zv
