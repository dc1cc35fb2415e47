#pragma once

#include "platform/graph/piInput.h"

#include <vector>

namespace Zv {

// An input holding an ordered list of values, each an input fed by one output.
class PiMultivaluedInput : public PiInput {
public:
    using PiInput::PiInput;

    bool isComposite() const override { return true; }
    int getNbValues() const { return static_cast<int>(_values.size()); }
    RCStrongPtr<PiInput> getValue(int index) const;
    const std::vector<RCStrongPtr<PiInput>>& getValues() const { return _values; }

private:
    friend class PiGraph;
    friend class PiNode;
    std::vector<RCStrongPtr<PiInput>> _values;
};

} // namespace Zv
