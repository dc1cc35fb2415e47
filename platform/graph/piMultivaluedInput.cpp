#include "platform/graph/piMultivaluedInput.h"

#include "platform/base/assertions.h"

namespace Zv {

RCStrongPtr<PiInput> PiMultivaluedInput::getValue(int index) const {
    ZV_ASSERT(index >= 0 && index < getNbValues());
    return _values[index];
}

} // namespace Zv
