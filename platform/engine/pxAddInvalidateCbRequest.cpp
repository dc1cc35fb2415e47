#include "platform/engine/pxAddInvalidateCbRequest.h"

#include "platform/base/assertions.h"
#include "platform/engine/pxGraphWatcher.h"
#include "platform/engine/pxRequestMgr.h"

namespace Zv {

PxAddInvalidateCbRequest::PxAddInvalidateCbRequest(RCStrongPtr<PxImageNode> node,
                                                   RCWeakPtr<PxPassThroughProtocol::InvalidateCb> callback)
    : _node(std::move(node)), _callback(std::move(callback)) {
    ZV_ASSERT(!PxRequestMgr::getInstance().isWorkerThreadCurrent());
}

void PxAddInvalidateCbRequest::performExecute() {
    _node->addInvalidateCb(_callback);
    PxGraphWatcher::watch(_node);
}

} // namespace Zv
