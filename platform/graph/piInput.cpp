#include "platform/graph/piInput.h"

#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piOutput.h"

namespace Zv {

RCStrongPtr<PiOutput> PiInput::getOutput() const {
    return RCStrongPtr<PiOutput>(_source);
}

RCStrongPtr<PiMultivaluedInput> PiInput::getParent() const {
    return RCStrongPtr<PiMultivaluedInput>(_parent);
}

const PiInput& PiInput::getTopInput() const {
    return _parent ? *_parent : *this;
}

} // namespace Zv
