#pragma once

#include "platform/engine/pxInvalidateCbRequest.h"

namespace Zv {

// Attaches the callback and has the node's graph watched.
class PxAddInvalidateCbRequest : public PxInvalidateCbRequest {
public:
    using PxInvalidateCbRequest::PxInvalidateCbRequest;

protected:
    void performExecute() override;
};

} // namespace Zv
