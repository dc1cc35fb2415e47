#pragma once

#include "platform/base/obObserver.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiCompositionClient.h"

namespace Zv {

class UiWorkspace;

// A client of the composition's current graph: observes its hints and hears which graph, node and
// selection are current.
class UiCompositionGraphClient : public UiCompositionClient, public ObObserver {
public:
    explicit UiCompositionGraphClient(UiComposition& composition);
    ~UiCompositionGraphClient() override;

    RCStrongPtr<PiGraph> getCompositionGraph() const;
    // 0 and 1 show the graph's current level; 2 and 3 follow the current node.
    int getMode() const;
    RCShdPtr<SnSelection> getSelection() const;
    UiWorkspace* getWorkspace() const;
    RCStrongPtr<PiNode> getNode() const;

    virtual void currentGraphChanged(const RCStrongPtr<PiGraph>& graph) {}
    virtual void newNodeSet(const RCStrongPtr<PiSnItem<PiNode>>& node) {}
    virtual void selectionChanged(const SnSelection& selection) {}
    virtual void nodeRemoved(int id) {}
    void update(const ObHints& hints) override {}
    // A node the host just made, to be put where the client sees fit.
    virtual void nodePlacement(const RCStrongPtr<PiSnItem<PiNode>>& node) {}
};

} // namespace Zv
