#pragma once

#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scGraphInterface.h"
#include "views/schematic/src/svDisplayInterface.h"

#include "platform/base/cbGroup.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/uiCompositionGraphClient.h"

#include <map>
#include <set>
#include <vector>

namespace Zv {

class PiInput;
class PiOutput;
class SnSelection;

// Keeps the scene graph in step with one level of the processing graph: decides which nodes are
// shown, makes one scene node per shown node and one edge per shown connection, mirrors the
// selection both ways, and answers the scene's lookups in the model.
class SvBrowserGraph : public UiCompositionGraphClient, public ScGraphInterface, public RCBase {
public:
    // A scene edge that knows the connection it stands for.
    class Edge : public ScEdge {
    public:
        Edge(const RCStrongPtr<ScNode>& source, int sourceTab, int sourceFan, const RCStrongPtr<ScNode>& target,
             int targetTab, int targetFan, int tag, const RCStrongPtr<PiOutput>& output,
             const RCStrongPtr<PiInput>& input);
        // True while both ends of the connection are in the graph.
        bool isValid() const override;
        const RCStrongPtr<PiOutput>& getOutput() const { return _output; }
        const RCStrongPtr<PiInput>& getInput() const { return _input; }

    private:
        RCStrongPtr<PiOutput> _output;
        RCStrongPtr<PiInput> _input;
    };

    SvBrowserGraph(UiComposition& composition, SvDisplayInterface* display);
    ~SvBrowserGraph() override;

    // ScGraphInterface
    RCStrongPtr<ScNode> findNode(const PiNode& node) override;
    void storeNodePosition(PiNode& node, const GePoint2<float>& position) override;
    GePoint2<float> getNodePosition(const PiNode& node) override;
    bool isPlaceable(const ScNode& node) override;

    // UiCompositionClient / UiCompositionGraphClient
    void compositionRenamed() override;
    void contextPointChanged(int tag, const RCStrongPtr<PiSnItem<PiNode>>& oldNode,
                             const RCStrongPtr<PiSnItem<PiNode>>& newNode) override;
    void currentGraphChanged(const RCStrongPtr<PiGraph>& graph) override;
    void newNodeSet(const RCStrongPtr<PiSnItem<PiNode>>& node) override;
    void selectionChanged(const SnSelection& selection) override;
    void nodeRemoved(int id) override;
    void update(const ObHints& hints) override;
    void nodePlacement(const RCStrongPtr<PiSnItem<PiNode>>& node) override;

    // The full rebuild of the scene.
    void refreshGraph(const LiString& reason);
    void resetDisplayGraph(const RCStrongPtr<PiGraph>& graph, bool followNode);
    // Writes every scene node's position to the model, without undo entries.
    void storeAllPositions();
    // Selects (or with select false only collects) the scene objects the selection names.
    void applySelectionToScene(const SnSelection& selection, bool select, std::set<int>* collected = nullptr);
    // Makes the scene's selected nodes the model's selection.
    void applySceneSelectionToModel();
    void toggleCollapseNode(const ScNode& node);
    void editGroupNode(const RCStrongPtr<PiGroupNode>& group);
    void exitGroupNode();

    // A socket type whose sockets the view does not show (parameters rather than images).
    void setFilteredSocketType(int typeIndex, bool filtered);
    bool isShown(const PiNode& node) const;

    const RCShdPtr<ScGraph>& getScene() const { return _scene; }
    const RCShdPtr<SnSelection>& getSelectionOfScene() const { return _selection; }
    const RCStrongPtr<PiGroupNode>& getCurrentGroup() const { return _currentGroup; }
    const RCStrongPtr<PiNode>& getCurrentNode() const { return _currentNode; }
    const std::map<int, RCStrongPtr<ScNode>>& getNodeMap() const { return _nodeMap; }
    const std::map<int, RCStrongPtr<Edge>>& getEdgeMap() const { return _edgeMap; }
    // The caller named by the last full rebuild.
    const LiString& getLastRefreshReason() const { return _lastRefreshReason; }

private:
    bool isFiltered(int typeIndex) const;
    void clearScene();
    // How far the build has gone through one node's input links: an input, and a value of a
    // multi-valued one.
    struct InputWalk {
        RCStrongPtr<ScNode> target;
        size_t input = 0;
        int fan = 0;
        int tab = 0; // the input's first tab
    };
    // One link into a node: the input (a value of a multi-valued input), its tab and its fan place.
    struct InputLink {
        RCStrongPtr<PiInput> input;
        int tab = 0;
        int fan = 0;
    };
    // The output and the shown node a link comes from; a collapsed chain's head stands for the chain.
    struct LinkSource {
        RCStrongPtr<PiOutput> output;
        RCStrongPtr<PiNode> node;
        bool collapsed = false;
    };

    void buildNodes(const std::vector<RCStrongPtr<PiNode>>& nodes);
    void addNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group);
    RCStrongPtr<ScNode> enterNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group);
    RCStrongPtr<ScNode> makeSceneNode(const RCStrongPtr<PiNode>& node);
    void addSockets(ScNode& sceneNode, const PiNode& node);
    bool findInputLink(InputWalk& walk, InputLink& link) const;
    LinkSource findLinkSource(const ScNode& target, const PiInput& input) const;
    void addEdge(const RCStrongPtr<ScNode>& target, const InputLink& link, const LinkSource& from);
    static int getNbInputTabs(const PiInput& input);
    RCShdPtr<ScGroup> findVisualGroup(const PiNode& node);
    RCShdPtr<ScGroup> findOrAddGroup(const RCStrongPtr<PiGroupNode>& group);
    bool isInLevel(const PiNode& node) const;
    void updateTitle();
    LiString getViewKey() const;
    void saveView();
    void restoreView();
    std::set<int> getSceneSelection() const;
    bool isShownAlready(const ObHint& hint);
    void nodeRefreshCb(const PiSchematicNodeInfo& info);
    void markingChangedCb(const RCStrongPtr<PiNode>& node);

    SvDisplayInterface* _display;
    RCStrongPtr<PiGroupNode> _currentGroup;
    RCStrongPtr<PiNode> _currentNode;
    std::map<int, RCStrongPtr<ScNode>> _nodeMap;
    std::map<int, RCStrongPtr<Edge>> _edgeMap;
    std::map<int, RCShdPtr<ScGroup>> _groupMap;
    RCShdPtr<SnSelection> _selection;
    RCShdPtr<ScGraph> _scene;
    std::vector<bool> _filteredSocketTypes;
    CbGroup _nodeCallbacks;
    CbRegistration _markingCallback;
    GePoint2<float> _placementPoint;
    bool _storingPositions = false;
    std::map<LiString, SvDisplayInterface::ZoomPan> _viewStates;
    RCWeakPtr<PiGraph> _lastGraph;
    std::set<LiString> _warnedDescriptions;
    int _nextEdgeKey = 0;
    LiString _lastRefreshReason;
    int _levelGroupId = 0; // identity of the group whose members are built
};

} // namespace Zv
