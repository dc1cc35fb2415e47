#pragma once

#include "platform/base/cbGroup.h"
#include "platform/base/obObserver.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/snSelection.h"

#include <vector>

namespace Zv {

class UiCompositionClient;
class UiCompositionGraphClient;
class UiWorkspace;

// The composition a workspace works on: its current graph, current node, mode, selection and
// context points, told to its clients.
class UiComposition : public ObObserver {
public:
    UiComposition();
    ~UiComposition() override;
    UiComposition(const UiComposition&) = delete;
    UiComposition& operator=(const UiComposition&) = delete;

    const RCStrongPtr<PiGraph>& getGraph() const { return _graph; }
    void setGraph(const RCStrongPtr<PiGraph>& graph);
    int getMode() const { return _mode; }
    void setMode(int mode) { _mode = mode; }
    // The current graph's selection (an empty one without a graph).
    RCShdPtr<SnSelection> getSelection() const;
    UiWorkspace* getWorkspace() const { return _workspace; }
    void setWorkspace(UiWorkspace* workspace) { _workspace = workspace; }

    void rename(const LiString& name);
    void setCurrentNode(const RCStrongPtr<PiNode>& node);
    // tag from 0 to UiCompositionClient::getNbContextPoints() - 1; node may be null.
    void setContextPoint(int tag, const RCStrongPtr<PiNode>& node);
    RCStrongPtr<PiNode> getContextPoint(int tag) const;
    // Asks the graph clients to place a node the host just made.
    void placeNewNode(const RCStrongPtr<PiNode>& node);

    void attachClient(UiCompositionClient* client);
    void detachClient(UiCompositionClient* client);
    // Tells the clients of removed nodes.
    void update(const ObHints& hints) override;

private:
    std::vector<UiCompositionGraphClient*> getGraphClients() const;
    void selectionChangedCb(const SnSelection& selection);

    RCStrongPtr<PiGraph> _graph;
    int _mode = 0;
    UiWorkspace* _workspace = nullptr;
    std::vector<UiCompositionClient*> _clients;
    std::vector<RCStrongPtr<PiNode>> _contextPoints;
    CbGroup _callbacks;
};

} // namespace Zv
