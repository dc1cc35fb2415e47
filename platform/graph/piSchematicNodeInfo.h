#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class PiNode;

// A node whose look must be built again, with a message for the user (empty when all is well).
struct PiSchematicNodeInfo {
    RCStrongPtr<PiNode> node;
    LiString message;
};

} // namespace Zv
