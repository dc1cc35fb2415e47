#pragma once

#include "platform/base/liString.h"

namespace Zv {

// A named, typed attachment point kept on a node.
struct PiNodeAnchor {
    LiString name;
    LiString type;
    bool operator==(const PiNodeAnchor&) const = default;
};

} // namespace Zv
