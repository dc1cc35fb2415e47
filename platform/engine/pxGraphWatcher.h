#pragma once

#include "platform/base/obObserver.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/engine/pxImageNode.h"

#include <vector>

namespace Zv {

// Watches the graphs of the engine nodes that have invalidation callbacks and tells each node when
// a change of the graph may change its image: a value it computes with, a connection on its way,
// a node removed. Changes only the schematic sees (positions, colours, thumbnails) tell nobody.
// Application thread only.
class PxGraphWatcher : public ObObserver {
public:
    static void watch(const RCStrongPtr<PxImageNode>& node);
    // Stops watching the node once it has no live callback left.
    static void unwatchIfUnused(const PxImageNode& node);

    ~PxGraphWatcher() override;
    void update(const ObHints& hints) override;

private:
    explicit PxGraphWatcher(const RCStrongPtr<PiGraph>& graph);

    RCWeakPtr<PiGraph> _graph;
    PiGraph* _graphAddress;
    std::vector<RCStrongPtr<PxImageNode>> _nodes;
};

} // namespace Zv
