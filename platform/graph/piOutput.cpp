#include "platform/graph/piOutput.h"

#include "platform/base/assertions.h"
#include "platform/graph/piInput.h"

namespace Zv {

RCStrongPtr<PiInput> PiOutput::getConnection(int index) const {
    ZV_ASSERT(index >= 0 && index < getNbConnections());
    return RCStrongPtr<PiInput>(_targets[index]);
}

} // namespace Zv
