#pragma once

#include "platform/graph/piNode.h"

namespace Zv {

// Stands inside a group for one socket of the group: a group input enters through the boundary
// node's output, a group output leaves through the boundary node's input.
class PiBoundaryNode : public PiNode {
public:
    bool isOutputNode() const { return _isOutput; }
    // The socket of the enclosing group this node stands for.
    const RCStrongPtr<PiSocket>& getGroupSocket() const { return _groupSocket; }
    // The node's own socket: its output for a group input, its input for a group output.
    RCStrongPtr<PiSocket> getInnerSocket() const;

private:
    friend class PiGraph;
    PiBoundaryNode(PiGraph* graph, int id, PiTool* tool, RCStrongPtr<PiSocket> groupSocket);

    RCStrongPtr<PiSocket> _groupSocket;
    bool _isOutput;
};

} // namespace Zv
