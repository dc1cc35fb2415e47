#include "platform/engine/pxAddInvalidateCbRequest.h"

#include "platform/engine/pxGraphWatcher.h"

namespace Zv {

void PxAddInvalidateCbRequest::performExecute() {
    _node->addInvalidateCb(_callback);
    PxGraphWatcher::watch(_node);
}

} // namespace Zv
