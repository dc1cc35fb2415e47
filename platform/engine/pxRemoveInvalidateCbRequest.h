#pragma once

#include "platform/engine/pxAddInvalidateCbRequest.h"

namespace Zv {

// Detaches what a PxAddInvalidateCbRequest attached; runs at submit, like it.
class PxRemoveInvalidateCbRequest : public PxAddInvalidateCbRequest {
public:
    using PxAddInvalidateCbRequest::PxAddInvalidateCbRequest;

protected:
    void performExecute() override;
};

} // namespace Zv
