#pragma once

#include "platform/graph/piConversionInfo.h"
#include "platform/graph/piNode.h"

namespace Zv {

// Nodes of tools that change images (blur, colour correction, keying, compositing): they can be
// muted, and their inputs may need their image converted.
class PiImageModifier {
public:
    static bool isImageModifier(const PiNode& node);
    static bool isMuted(const PiNode& node);
    // An undoable edit; the node must be an image modifier.
    static void setMuted(const RCStrongPtr<PiNode>& node, bool muted);
    // An input expecting alpha only converts any other layout; inputs taking any layout never convert.
    static PiConversionInfo getConversionInfo(const PiInput& input);
};

} // namespace Zv
