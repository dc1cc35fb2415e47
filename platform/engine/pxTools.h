#pragma once

#include "platform/engine/pxRenderPlan.h"

#include <stdexcept>

namespace Zv {

// Why a tool cannot compute: bad parameters, a file it cannot read. The message says what and why;
// the plan adds which node.
class PxToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The built-in tools' computations. Parameters come from the node's texts, with fixed defaults:
// colours are "r g b" or "r g b a" (0 to 1), distances fractions of the image width.
class PxTools {
public:
    // Application thread: the node's computation with its parameters copied out; raises PxToolError
    // for parameters that do not read and for tools that make no image. timeDependent is set when the
    // image changes with the time.
    static PxRenderPlan::Kernel prepare(const PiNode& node, bool& timeDependent);
    // A run of '#' in a file name is the frame number, padded to the run's length.
    static std::string expandFrame(const std::string& pattern, int frame);
};

} // namespace Zv
