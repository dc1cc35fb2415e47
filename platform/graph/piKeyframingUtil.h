#pragma once

#include "platform/base/cbList.h"
#include "platform/graph/piNode.h"

namespace Zv {

class PiPath;

// Marks on tools whose attributes are being keyframed. A mark is a node value (undoable, hinted);
// the marking callbacks hear of every change, undo and redo included.
class PiKeyframingUtil {
public:
    using MarkingHandler = CbHandler<const RCStrongPtr<PiNode>&>;

    static PiKeyframingUtil& getKeyframingUtil();

    // The time path names where the keys go; marks are kept per node.
    static void markTool(const RCStrongPtr<PiNode>& node, const RCShdPtr<PiPath>& timePath = {});
    static void unmarkTool(const RCStrongPtr<PiNode>& node);
    static bool hasMarkedAttributes(const PiNode& node);
    static CbRegistration addMarkingCallback(RCStrongPtr<MarkingHandler> handler);
    // Called by the graph after a mark changed.
    static void notifyMarkingChanged(const RCStrongPtr<PiNode>& node);

private:
    PiKeyframingUtil() = default;
    CbList<const RCStrongPtr<PiNode>&> _markingChanged;
};

} // namespace Zv
