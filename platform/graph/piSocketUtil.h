#pragma once

#include "platform/graph/piNode.h"

namespace Zv {

class PiSocketUtil {
public:
    // The first input or output, or null when the node has none.
    static RCStrongPtr<PiInput> getPrimaryInput(const PiNode& node);
    static RCStrongPtr<PiOutput> getPrimaryOutput(const PiNode& node);
    // By socket name, or null.
    static RCStrongPtr<PiInput> getInput(const PiNode& node, const LiString& name);
    static RCStrongPtr<PiOutput> getOutput(const PiNode& node, const LiString& name);
};

} // namespace Zv
