#pragma once

#include "platform/engine/pxImageNode.h"
#include "platform/engine/pxRequest.h"

namespace Zv {

// Attaches or detaches an invalidation callback of an engine node. The callback lists belong to
// the application thread, so these requests run at submit, there.
class PxInvalidateCbRequest : public PxRequest {
public:
    PxInvalidateCbRequest(RCStrongPtr<PxImageNode> node, RCWeakPtr<PxPassThroughProtocol::InvalidateCb> callback);

    Type getRequestType() const override { return InvalidateCb; }

protected:
    bool runsOnSubmit() const override { return true; }
    void completeExecution() override {}

    RCStrongPtr<PxImageNode> _node;
    RCWeakPtr<PxPassThroughProtocol::InvalidateCb> _callback;
};

} // namespace Zv
