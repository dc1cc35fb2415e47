#include "platform/engine/pxInvalidateCbRequest.h"

#include "platform/base/assertions.h"
#include "platform/engine/pxRequestMgr.h"

namespace Zv {

PxInvalidateCbRequest::PxInvalidateCbRequest(RCStrongPtr<PxImageNode> node,
                                             RCWeakPtr<PxPassThroughProtocol::InvalidateCb> callback)
    : _node(std::move(node)), _callback(std::move(callback)) {
    ZV_ASSERT(!PxRequestMgr::getInstance().isWorkerThreadCurrent());
}

} // namespace Zv
