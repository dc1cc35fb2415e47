#include "platform/engine/pxRemoveInvalidateCbRequest.h"

#include "platform/engine/pxGraphWatcher.h"

namespace Zv {

void PxRemoveInvalidateCbRequest::performExecute() {
    _node->removeInvalidateCb(_callback);
    PxGraphWatcher::unwatchIfUnused(*_node);
}

} // namespace Zv
