#include "platform/graph/piSocket.h"

#include "platform/graph/piNode.h"

namespace Zv {

RCStrongPtr<PiNode> PiSocket::getNode() const {
    return RCStrongPtr<PiNode>(_node);
}

bool PiSocket::isLive() const {
    return _attached && _node && _node->isLive();
}

} // namespace Zv
