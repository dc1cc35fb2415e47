#pragma once

#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scGraphInterface.h"
#include "views/schematic/src/svDisplayInterface.h"
#include "views/schematic/src/svGraphEditor.h"
#include "views/schematic/src/svHintApplier.h"
#include "views/schematic/src/svModelEdge.h"
#include "views/schematic/src/svSceneBuilder.h"
#include "views/schematic/src/svSelectionMirror.h"
#include "views/schematic/src/svViewStateStore.h"

#include "platform/base/rcWeakPtr.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/uiCompositionGraphClient.h"

#include <map>
#include <set>

namespace Zv {

class SnSelection;

// Keeps the scene graph in step with one level of the processing graph and answers the scene's lookups
// in the model. It follows the composition's changes and the user's moves between levels; building the
// scene, mirroring the selection and keeping each level's zoom and pan are left to its collaborators.
class SvBrowserGraph : public UiCompositionGraphClient, public ScGraphInterface, public RCBase {
public:
    using Edge = SvModelEdge;
    // How far apart the nodes the host makes one after another are put.
    static constexpr GeVector2<float> PlacementStep{25.0f, -25.0f};

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
    // Scene positions into the model; undoable ones make entries of the undo scope that is open.
    void storePositions(const std::vector<RCStrongPtr<ScNode>>& nodes, bool undoable = false);
    // Selects (or with select false only collects) the scene objects the selection names.
    void applySelectionToScene(const SnSelection& selection, bool select, std::set<int>* collected = nullptr);
    // Makes the scene's selected nodes the model's selection.
    void applySceneSelectionToModel();
    void toggleCollapseNode(const ScNode& node);
    void editGroupNode(const RCStrongPtr<PiGroupNode>& group);
    void exitGroupNode();

    // The edits the view offers, each one named undo step.
    SvGraphEditor& getEditor() { return _editor; }
    // Where the next node the view places goes, inside the visible rectangle; the point then moves on.
    GePoint2<float> takePlacementPoint();
    // Shows the model's colour of a node in the scene of a browser graph that may have gone.
    static void showNodeColor(const RCWeakPtr<SvBrowserGraph>& browser, const PiNode& node);
    // Takes links to nodes that left the graph out of the scene at once.
    void cleanDanglingEdges();

    // A socket type whose sockets the view does not show (parameters rather than images).
    void setFilteredSocketType(int typeIndex, bool filtered) { _builder.setFilteredSocketType(typeIndex, filtered); }
    bool isShown(const PiNode& node) const { return _builder.isShown(node); }
    // The model sockets behind a scene node's tabs; null when there is none.
    RCStrongPtr<PiInput> findTabInput(const ScNode& node, int tab) const;
    RCStrongPtr<PiOutput> findTabOutput(const ScNode& node, int tab) const;

    const RCShdPtr<ScGraph>& getScene() const { return _scene; }
    const RCShdPtr<SnSelection>& getSelectionOfScene() const { return _selection; }
    const RCStrongPtr<PiGroupNode>& getCurrentGroup() const { return _currentGroup; }
    const RCStrongPtr<PiNode>& getCurrentNode() const { return _currentNode; }
    const std::map<int, RCStrongPtr<ScNode>>& getNodeMap() const { return _builder.getNodeMap(); }
    const std::map<int, RCStrongPtr<Edge>>& getEdgeMap() const { return _builder.getEdgeMap(); }
    // The caller named by the last full rebuild.
    const LiString& getLastRefreshReason() const { return _lastRefreshReason; }
    // Hint batches that ended with the thumbnail pass.
    int getNbThumbnailPasses() const { return _nbThumbnailPasses; }

private:
    void clearScene();
    void updateTitle();
    LiString getViewKey() const;
    void saveView();
    void restoreView();
    // Places the nodes hint batches brought in, as a rebuild would.
    void placeEnteredNodes(const std::vector<RCStrongPtr<ScNode>>& entered);
    // Asks for the thumbnails the batch left out of date.
    void runThumbnailPass();
    void nodeRefreshCb(const PiSchematicNodeInfo& info);
    void markingChangedCb(const RCStrongPtr<PiNode>& node);

    SvDisplayInterface* _display;
    RCStrongPtr<PiGroupNode> _currentGroup;
    RCStrongPtr<PiNode> _currentNode;
    RCShdPtr<SnSelection> _selection;
    RCShdPtr<ScGraph> _scene;
    SvSceneBuilder _builder;
    SvSelectionMirror _selectionMirror;
    SvHintApplier _hintApplier;
    SvViewStateStore _viewStates;
    SvGraphEditor _editor;
    CbRegistration _markingCallback;
    GePoint2<float> _placementPoint;
    // While set, position values coming back are the view's own writes.
    bool _storingPositions = false;
    RCWeakPtr<PiGraph> _lastGraph;
    LiString _lastRefreshReason;
    int _nbThumbnailPasses = 0;
};

} // namespace Zv
