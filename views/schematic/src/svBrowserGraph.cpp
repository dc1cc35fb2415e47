#include "views/schematic/src/svBrowserGraph.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/base/obHints.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/snSelection.h"

#include <algorithm>

namespace Zv {

SvBrowserGraph::SvBrowserGraph(UiComposition& composition, SvDisplayInterface* display)
    : UiCompositionGraphClient(composition), _display(display), _selection(SnSelection::create()),
      _scene(new ScGraph(this)),
      _builder(composition, *_scene, *display,
               makeRC<CbMethod<SvBrowserGraph, const PiSchematicNodeInfo&>>(this, &SvBrowserGraph::nodeRefreshCb)),
      _selectionMirror(_builder, *_scene), _hintApplier(_builder, *display), _editor(*this) {}

SvBrowserGraph::~SvBrowserGraph() {
    clearScene();
}

// --- ScGraphInterface ---

RCStrongPtr<ScNode> SvBrowserGraph::findNode(const PiNode& node) {
    return _builder.findNode(node);
}

void SvBrowserGraph::storeNodePosition(PiNode& node, const GePoint2<float>& position) {
    PiUndoGuardNoLog guard;
    PiSchematicInterfaceEx::setXYPosition(RCStrongPtr<PiNode>(&node), position.x, position.y);
}

GePoint2<float> SvBrowserGraph::getNodePosition(const PiNode& node) {
    GePoint2<float> position;
    PiSchematicInterfaceEx::getXYPosition(node, position.x, position.y);
    return position;
}

bool SvBrowserGraph::isPlaceable(const ScNode& node) {
    const RCStrongPtr<PiNode>& processing = node.getProcessingNode();
    if (processing.isNull()) return true;
    PiGroupNode* group = processing->getGroupPtr();
    if (!group || !PiSchematicInterfaceEx::isVisualGroup(*group)) return true;
    return PiSchematicInterfaceEx::getVisualGroupLockMode(*group) == PiLockMode::None;
}

// --- Composition client ---

void SvBrowserGraph::compositionRenamed() {
    updateTitle();
    _display->redraw("SvBrowserGraph::compositionRenamed");
}

void SvBrowserGraph::contextPointChanged(int tag, const RCStrongPtr<PiSnItem<PiNode>>& oldNode,
                                         const RCStrongPtr<PiSnItem<PiNode>>& newNode) {
    auto mark = [&](const RCStrongPtr<PiSnItem<PiNode>>& item, bool on) {
        if (item.isNull() || item->get().isNull()) return;
        if (RCStrongPtr<ScNode> sceneNode = findNode(*item->get())) {
            sceneNode->setContextPoint(tag, on);
            _display->redrawNode(*sceneNode);
        }
    };
    mark(oldNode, false);
    mark(newNode, true);
}

void SvBrowserGraph::currentGraphChanged(const RCStrongPtr<PiGraph>& graph) {
    resetDisplayGraph(graph, false);
    _markingCallback.release();
    if (!graph.isNull())
        _markingCallback = PiKeyframingUtil::addMarkingCallback(
            makeRC<CbMethod<SvBrowserGraph, const RCStrongPtr<PiNode>&>>(this, &SvBrowserGraph::markingChangedCb));
}

void SvBrowserGraph::newNodeSet(const RCStrongPtr<PiSnItem<PiNode>>& item) {
    if (!_display->isViewShown() || (getMode() != 2 && getMode() != 3)) return;
    _currentGroup.reset();
    _currentNode.reset();
    RCStrongPtr<PiNode> node = item.isNull() ? RCStrongPtr<PiNode>() : item->get();
    if (RCStrongPtr<PiGroupNode> group; group.dynamicAssign(node)) {
        _currentGroup = group;
    } else if (!node.isNull()) {
        _currentNode = node;
        _currentGroup = node->getGroup();
    }
    refreshGraph("SvBrowserGraph::newNodeSet");
}

void SvBrowserGraph::selectionChanged(const SnSelection& selection) {
    ZV_ASSERT(PiAppThread::isCurrent());
    std::set<int> named;
    applySelectionToScene(selection, false, &named);
    if (named == _selectionMirror.getSceneSelection()) return;
    applySelectionToScene(selection, true);
    _display->redraw("SvBrowserGraph::selectionChanged");
}

void SvBrowserGraph::nodeRemoved(int id) {
    if (!_display->isViewShown() || _currentGroup.isNull() || _currentGroup->getId() != id) return;
    _currentNode.reset();
    _currentGroup.reset();
    refreshGraph("SvBrowserGraph::nodeRemoved");
    _display->resetUserZoomPan();
}

// Whoever changed the graph, the change comes here: applied piece by piece where it can be, else
// by one rebuild.
void SvBrowserGraph::update(const ObHints& hints) {
    ZV_ASSERT(PiAppThread::isCurrent());
    // A rebuild shows one browsed node only while it is there to show.
    const bool wholeLevel = _currentNode.isNull() || !_currentNode->isLive() || !isShown(*_currentNode);
    const SvHintApplier::Outcome outcome = _hintApplier.apply(hints, _storingPositions, wholeLevel);
    if (outcome.rebuild) {
        refreshGraph("SvBrowserGraph::update");
    } else if (outcome.changed) {
        placeEnteredNodes(outcome.entered);
        if (outcome.nodesChanged)
            for (const auto& group : _scene->getGroups()) group->updateBounds();
        applySelectionToScene(*getSelection(), true);
        _display->redraw("SvBrowserGraph::graphChanged( nodes + connections )");
    }
    runThumbnailPass();
}

// Automatic clean-up lays the whole graph out after every change; otherwise only new nodes without a
// stored position are placed, and the model keeps where they went.
void SvBrowserGraph::placeEnteredNodes(const std::vector<RCStrongPtr<ScNode>>& entered) {
    if (_display->isAutoCleanup()) {
        _scene->layout(ScGraph::LayoutType::LayoutAll);
        return;
    }
    if (std::all_of(entered.begin(), entered.end(), [](const auto& node) { return node->isPlaced(); })) return;
    _scene->layout(ScGraph::LayoutType::LayoutUnplaced);
    storePositions(entered);
}

void SvBrowserGraph::runThumbnailPass() {
    ++_nbThumbnailPasses;
}

void SvBrowserGraph::nodePlacement(const RCStrongPtr<PiSnItem<PiNode>>& item) {
    RCStrongPtr<PiNode> node = item.isNull() ? RCStrongPtr<PiNode>() : item->get();
    if (node.isNull()) return;
    RCStrongPtr<ScNode> sceneNode = findNode(*node);
    if (!_display->isViewShown()) {
        GePoint2<float> stored;
        if (sceneNode && PiSchematicInterfaceEx::getXYPosition(*node, stored.x, stored.y))
            sceneNode->setPosition(stored);
        return;
    }
    const GePoint2<float> placed = takePlacementPoint();
    // The scene shows the position before the model sends it back.
    if (sceneNode) {
        sceneNode->setPosition(placed);
        sceneNode->setPlaced(true);
    }
    storeNodePosition(*node, placed);
}

GePoint2<float> SvBrowserGraph::takePlacementPoint() {
    const GeRectangle<float> visible = _display->getVisibleWorldRect();
    if (!visible.contains(_placementPoint)) _placementPoint = visible.getCenter();
    const GePoint2<float> placed = _placementPoint;
    _placementPoint += PlacementStep;
    return placed;
}

// --- Edits' scene updates ---

void SvBrowserGraph::showNodeColor(const RCWeakPtr<SvBrowserGraph>& browser, const PiNode& node) {
    const RCStrongPtr<SvBrowserGraph> shown = browser.lock();
    if (!shown.isNull() && shown->_builder.showNodeColor(node))
        shown->_display->redraw("SvBrowserGraph::showNodeColor");
}

RCStrongPtr<PiInput> SvBrowserGraph::findTabInput(const ScNode& node, int tab) const {
    const RCStrongPtr<PiNode>& model = node.getProcessingNode();
    return model.isNull() || !node.hasProcessingNode() ? RCStrongPtr<PiInput>() : _builder.findTabInput(*model, tab);
}

RCStrongPtr<PiOutput> SvBrowserGraph::findTabOutput(const ScNode& node, int tab) const {
    const RCStrongPtr<PiNode>& model = node.getProcessingNode();
    if (model.isNull() || !node.hasProcessingNode() || tab < 0 || tab >= model->getNbOutputs()) return {};
    return model->getOutput(tab);
}

void SvBrowserGraph::cleanDanglingEdges() {
    if (_builder.removeDanglingEdges() > 0) _display->redraw("SvBrowserGraph::cleanDanglingEdges");
}

// --- Rebuilding ---

void SvBrowserGraph::clearScene() {
    _builder.clear();
}

void SvBrowserGraph::refreshGraph(const LiString& reason) {
    ZV_ASSERT(PiAppThread::isCurrent());
    clearScene();
    if (!_display->isViewShown()) return;
    updateTitle();
    RCStrongPtr<PiGraph> graph = getCompositionGraph();
    if (graph.isNull()) return;
    _lastGraph = graph;

    _scene->setOrientation(_display->getOrientation());
    if (!_currentNode.isNull() && _currentNode->isLive() && isShown(*_currentNode)) {
        _builder.build(_currentNode->getGroupPtr() ? _currentNode->getGroupPtr()->getId() : 0, {_currentNode});
    } else {
        const RCStrongPtr<PiGroupNode>& level = _currentGroup.isNull() ? graph->getRootGroup() : _currentGroup;
        _builder.build(level->getId(), level->getMembers());
    }

    const bool autoCleanup = _display->isAutoCleanup();
    _scene->layout(autoCleanup ? ScGraph::LayoutType::LayoutAll : ScGraph::LayoutType::LayoutUnplaced);
    if (!autoCleanup) storeAllPositions();
    for (const auto& group : _scene->getGroups()) group->updateBounds();
    applySelectionToScene(*getSelection(), true);
    _lastRefreshReason = reason;
    _display->redraw("SvBrowserGraph::refreshGraph");
}

void SvBrowserGraph::storeAllPositions() {
    std::vector<RCStrongPtr<ScNode>> nodes;
    nodes.reserve(getNodeMap().size());
    for (const auto& [id, sceneNode] : getNodeMap()) nodes.push_back(sceneNode);
    storePositions(nodes);
}

void SvBrowserGraph::storePositions(const std::vector<RCStrongPtr<ScNode>>& nodes, bool undoable) {
    const bool former = _storingPositions;
    _storingPositions = true;
    {
        // Undoable positions join the entry of the scope around; others leave none.
        ZV_ASSERT(!undoable || PiEditScope::isLogging());
        PiEditScope guard({}, undoable);
        for (const auto& sceneNode : nodes) {
            const GePoint2<float>& p = sceneNode->getPosition();
            PiSchematicInterfaceEx::setXYPosition(sceneNode->getProcessingNode(), p.x, p.y);
        }
    }
    _storingPositions = former;
}

// --- Selection ---

void SvBrowserGraph::applySelectionToScene(const SnSelection& selection, bool select, std::set<int>* collected) {
    _selectionMirror.applyToScene(selection, select, collected);
}

void SvBrowserGraph::applySceneSelectionToModel() {
    _selectionMirror.applyToModel(*getSelection());
}

// --- Levels ---

void SvBrowserGraph::resetDisplayGraph(const RCStrongPtr<PiGraph>& graph, bool followNode) {
    if (graph.isNull()) {
        _display->setCommandStack(nullptr, SvAccessLevel::None);
        _viewStates.clear();
    } else if (!graph->hasWritableCommandStack()) {
        _display->setCommandStack(nullptr, SvAccessLevel::ReadOnly);
    } else {
        _display->setCommandStack(&graph->getCommandStack(), SvAccessLevel::Editing);
    }
    saveView();
    if (!_display->isViewShown()) {
        clearScene();
        return;
    }
    if (!graph.isNull() && (getMode() == 0 || getMode() == 1)) {
        RCStrongPtr<PiNode> current = graph->getCurrentNode();
        RCStrongPtr<PiGroupNode> group;
        if (group.dynamicAssign(current)) {
            _currentGroup = group;
            _currentNode.reset();
        } else {
            _currentNode = current;
            _currentGroup = current.isNull() ? RCStrongPtr<PiGroupNode>() : current->getGroup();
        }
    }
    refreshGraph("SvBrowserGraph::resetDisplayGraph");
    restoreView();
}

void SvBrowserGraph::saveView() {
    _viewStates.save(getViewKey(), _display->getUserZoomPan());
}

void SvBrowserGraph::restoreView() {
    if (const SvDisplayInterface::ZoomPan* saved = _viewStates.find(getViewKey())) _display->setUserZoomPan(*saved);
    else _display->resetUserZoomPan();
}

LiString SvBrowserGraph::getViewKey() const {
    return SvViewStateStore::getLevelKey(_lastGraph.lock().get(), _currentGroup.isNull() ? 0 : _currentGroup->getId());
}

void SvBrowserGraph::editGroupNode(const RCStrongPtr<PiGroupNode>& group) {
    saveView();
    _currentGroup = group;
    _currentNode.reset();
    refreshGraph("SvBrowserGraph::editGroupNode");
    restoreView();
}

void SvBrowserGraph::exitGroupNode() {
    if (_currentGroup.isNull() || _currentGroup->isRoot()) return;
    saveView();
    RCStrongPtr<PiGroupNode> parent = _currentGroup->getGroup();
    _currentGroup = parent.isNull() || parent->isRoot() ? RCStrongPtr<PiGroupNode>() : parent;
    _currentNode.reset();
    refreshGraph("SvBrowserGraph::exitGroupNode");
    restoreView();
}

void SvBrowserGraph::toggleCollapseNode(const ScNode& sceneNode) {
    RCStrongPtr<PiNode> head = sceneNode.getProcessingNode();
    if (head.isNull()) return;
    {
        PiUndoGuardNoLog guard;
        PiNodeUtils::toggleCollapse(head);
    }
    refreshGraph("SvBrowserGraph::toggleCollapseNode");
}

void SvBrowserGraph::updateTitle() {
    RCStrongPtr<PiGraph> graph = getCompositionGraph();
    LiString title = graph.isNull() ? LiString("Schematic") : "Schematic: " + graph->getName();
    if (!_currentGroup.isNull()) title += " / " + _currentGroup->getName();
    _display->setTitle(title);
}

void SvBrowserGraph::nodeRefreshCb(const PiSchematicNodeInfo& info) {
    if (!info.message.isEmpty()) _display->showWarning(info.message);
    if (_display->isViewShown() && !info.node.isNull() && !findNode(*info.node).isNull())
        refreshGraph("SvBrowserGraph::nodeRefreshCb");
}

void SvBrowserGraph::markingChangedCb(const RCStrongPtr<PiNode>&) {
    if (_display->isViewShown()) _display->redraw("SvBrowserGraph::markingChangedCb");
}

} // namespace Zv
