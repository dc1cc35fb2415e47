#pragma once

#include "platform/base/rcBase.h"

namespace Zv {

// The engine's side of one output of a processing node. Image outputs get a PxImageNode; other
// outputs (parameters) get a plain node, which computes nothing the view can show.
class PxNode : public RCBase {
public:
    ~PxNode() override = default;
};

} // namespace Zv
