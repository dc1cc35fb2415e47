#pragma once

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piNode.h"

namespace Zv {

// A node holding other nodes. Each of its sockets has one boundary node among the members.
class PiGroupNode : public PiNode {
public:
    ~PiGroupNode() override;
    int getNbMembers() const { return static_cast<int>(_members.size()); }
    RCStrongPtr<PiNode> getMember(int index) const;
    // Members in creation order, boundary nodes included.
    const std::vector<RCStrongPtr<PiNode>>& getMembers() const { return _members; }
    // The boundary node inside the group that stands for one of its sockets, or null.
    RCStrongPtr<PiBoundaryNode> getBoundaryNode(const PiSocket& groupSocket) const;
    // Links name group sockets in files and archives, so a name is taken once per direction.
    bool hasSocketNamed(const LiString& name, bool isOutput) const;
    // name, or name followed by the smallest number from 2 that no socket of that direction has.
    LiString getUniqueSocketName(const LiString& name, bool isOutput) const;
    bool isRoot() const;

private:
    friend class PiGraph;
    PiGroupNode(PiGraph* graph, int id, PiTool* tool, LiString name);

    std::vector<RCStrongPtr<PiNode>> _members;
    // Parallel to the inputs and to the outputs.
    std::vector<RCStrongPtr<PiBoundaryNode>> _inputBoundaries;
    std::vector<RCStrongPtr<PiBoundaryNode>> _outputBoundaries;
};

} // namespace Zv
