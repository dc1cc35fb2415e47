#pragma once

#include "platform/engine/pxImageNode.h"
#include "platform/engine/pxRequest.h"

namespace Zv {

// Attaches an invalidation callback to an engine node. The callback lists belong to the
// application thread, so the request runs at submit, there.
class PxAddInvalidateCbRequest : public PxRequest {
public:
    PxAddInvalidateCbRequest(RCStrongPtr<PxImageNode> node, RCWeakPtr<PxPassThroughProtocol::InvalidateCb> callback);

    Type getRequestType() const override { return InvalidateCb; }

protected:
    bool runsOnSubmit() const override { return true; }
    void performExecute() override;
    void completeExecution() override {}

    RCStrongPtr<PxImageNode> _node;
    RCWeakPtr<PxPassThroughProtocol::InvalidateCb> _callback;
};

} // namespace Zv
