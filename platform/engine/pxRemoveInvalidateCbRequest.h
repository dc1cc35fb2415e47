#pragma once

#include "platform/engine/pxInvalidateCbRequest.h"

namespace Zv {

// Detaches the callback; a node left without callbacks is no longer watched.
class PxRemoveInvalidateCbRequest : public PxInvalidateCbRequest {
public:
    using PxInvalidateCbRequest::PxInvalidateCbRequest;

protected:
    void performExecute() override;
};

} // namespace Zv
