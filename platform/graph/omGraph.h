#pragma once

#include "platform/graph/piGraph.h"

namespace Zv {

// Data-management view of a graph: where its undo entries go.
class OmGraph {
public:
    explicit OmGraph(RCStrongPtr<PiGraph> graph) : _graph(std::move(graph)) {}
    CmCommandStack& getCommandStack() const { return _graph->getCommandStack(); }
    const RCStrongPtr<PiGraph>& getGraph() const { return _graph; }

private:
    RCStrongPtr<PiGraph> _graph;
};

} // namespace Zv
