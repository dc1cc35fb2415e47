#pragma once

#include "platform/base/cbList.h"
#include "platform/graph/piNode.h"

#include <vector>

namespace Zv {

// A chain of nodes, from a group down to a node inside it. Becomes invalid when a node on it is
// removed or moved; the callbacks hear of it once.
class PiPath : public RCBase {
public:
    using InvalidateHandler = CbHandler<RCShdPtr<PiPath>>;

    explicit PiPath(std::vector<RCStrongPtr<PiNode>> nodes) : _nodes(std::move(nodes)) {}
    // The enclosing groups of a node, outermost first (the root group excluded), then the node.
    static RCShdPtr<PiPath> ofNode(const RCStrongPtr<PiNode>& node);

    int getNbNodes() const { return static_cast<int>(_nodes.size()); }
    const RCStrongPtr<PiNode>& getNode(int index) const;
    const std::vector<RCStrongPtr<PiNode>>& getNodes() const { return _nodes; }
    // The node the path leads to, or null for an empty path.
    RCStrongPtr<PiNode> getLast() const;
    bool isValid() const { return _valid; }
    bool contains(const PiNode& node) const;

    CbRegistration addInvalidateCb(RCStrongPtr<InvalidateHandler> handler);
    // Called by the graph when a node on the path left its place.
    void invalidate();

private:
    std::vector<RCStrongPtr<PiNode>> _nodes;
    bool _valid = true;
    bool _tracked = false;
    CbList<RCShdPtr<PiPath>> _invalidated;
};

} // namespace Zv
