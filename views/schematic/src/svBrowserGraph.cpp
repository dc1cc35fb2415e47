#include "views/schematic/src/svBrowserGraph.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/obHints.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterface.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/piTool.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"
#include "views/schematic/src/scNodeFactory.h"

#include <algorithm>

namespace Zv {
namespace {

// The refresh running on the stack; only the outermost one sets and clears it.
const SvBrowserGraph* refreshInProgress = nullptr;

class RefreshScope {
public:
    explicit RefreshScope(const SvBrowserGraph* graph) : _outermost(refreshInProgress == nullptr) {
        if (_outermost) refreshInProgress = graph;
    }
    ~RefreshScope() {
        if (_outermost) refreshInProgress = nullptr;
    }

private:
    bool _outermost;
};

// The text shown for a node: its name, or for a boundary node the group socket it stands for.
LiString getShownName(const PiNode& node) {
    if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(&node))
        return boundary->getGroupSocket()->getName() + (boundary->isOutputNode() ? " Output Image" : " Input Image");
    return node.getName().isEmpty() ? LiString("UnNamed") : node.getName();
}

bool isVisualGroupNode(const PiNode& node) {
    return dynamic_cast<const PiGroupNode*>(&node) && PiSchematicInterfaceEx::isVisualGroup(node);
}

// A visual group's boundary nodes are not drawn: its box shows the grouping instead.
bool isVisualGroupBoundary(const PiNode& node) {
    return dynamic_cast<const PiBoundaryNode*>(&node) && node.getGroupPtr() && isVisualGroupNode(*node.getGroupPtr());
}

// The output a link really comes from when it passes through a visual group's sockets, which are
// not drawn; null when nothing feeds it.
RCStrongPtr<PiOutput> resolveThroughVisualGroups(RCStrongPtr<PiOutput> output) {
    while (!output.isNull()) {
        PiNode* node = output->getNodePtr();
        RCStrongPtr<PiInput> passage;
        if (auto* boundary = dynamic_cast<PiBoundaryNode*>(node); boundary && isVisualGroupBoundary(*boundary))
            passage.dynamicAssign(boundary->getGroupSocket());
        else if (auto* group = dynamic_cast<PiGroupNode*>(node); group && isVisualGroupNode(*group))
            if (RCStrongPtr<PiBoundaryNode> inner = group->getBoundaryNode(*output))
                passage.dynamicAssign(inner->getInnerSocket());
        if (passage.isNull()) return output;
        output = passage->getOutput();
    }
    return output;
}

// The output outside a collapsed chain that feeds it: upstream through the hidden nodes along
// their first connected input; null when the chain starts inside.
RCStrongPtr<PiOutput> findChainSource(RCStrongPtr<PiOutput> output) {
    while (!output.isNull() && PiNodeUtils::hasStoredValue(*output->getNodePtr(), PiNodeUtils::C_VALUE,
                                                           PiNodeUtils::HIDDEN)) {
        RCStrongPtr<PiOutput> upstream;
        for (const auto& input : output->getNodePtr()->getInputs())
            if (input->isConnected()) {
                upstream = resolveThroughVisualGroups(input->getOutput());
                break;
            }
        output = upstream;
    }
    return output;
}

} // namespace

SvBrowserGraph::Edge::Edge(const RCStrongPtr<ScNode>& source, int sourceTab, int sourceFan,
                           const RCStrongPtr<ScNode>& target, int targetTab, int targetFan, int tag,
                           const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input)
    : ScEdge(source, sourceTab, sourceFan, target, targetTab, targetFan, tag), _output(output), _input(input) {}

bool SvBrowserGraph::Edge::isValid() const {
    return _output->isLive() && _input->isLive();
}

SvBrowserGraph::SvBrowserGraph(UiComposition& composition, SvDisplayInterface* display)
    : UiCompositionGraphClient(composition), _display(display), _selection(SnSelection::create()),
      _scene(new ScGraph(this)) {}

SvBrowserGraph::~SvBrowserGraph() {
    _nodeCallbacks.releaseAll();
    clearScene();
}

// --- ScGraphInterface ---

RCStrongPtr<ScNode> SvBrowserGraph::findNode(const PiNode& node) {
    auto found = _nodeMap.find(node.getId());
    return found == _nodeMap.end() ? RCStrongPtr<ScNode>() : found->second;
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
    int lock = PiSchematicInterfaceEx::getVisualGroupLockMode(*group);
    return lock != 1 && lock != 2;
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
    if (named == getSceneSelection()) return;
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

// A batch rebuilds the scene unless it shows every change already, so nothing shown is ever stale.
void SvBrowserGraph::update(const ObHints& hints) {
    ZV_ASSERT(PiAppThread::isCurrent());
    const auto& batch = hints.getContainer();
    if (std::all_of(batch.begin(), batch.end(), [this](const auto& hint) { return isShownAlready(*hint); })) return;
    refreshGraph("SvBrowserGraph::update");
}

// Values written while the view stores its positions, and positions the scene already has, come back
// from the view's own writes.
bool SvBrowserGraph::isShownAlready(const ObHint& hint) {
    auto* changed = dynamic_cast<const OmGraphHint::ValueChanged*>(&hint);
    if (!changed) return false;
    if (_storingPositions) return true;
    const PiValue& value = *changed->getValue();
    if (!PiSchematicInterfaceEx::isPositionValue(value) || !value.isLive()) return false;
    RCStrongPtr<ScNode> sceneNode = findNode(*value.getNode());
    GePoint2<float> stored;
    return !sceneNode.isNull() && PiSchematicInterfaceEx::getXYPosition(*value.getNode(), stored.x, stored.y) &&
           stored == sceneNode->getPosition();
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
    GeRectangle<float> visible = _display->getVisibleWorldRect();
    if (!visible.contains(_placementPoint)) _placementPoint = visible.getCenter();
    // The scene shows the position before the model sends it back.
    if (sceneNode) {
        sceneNode->setPosition(_placementPoint);
        sceneNode->setPlaced(true);
    }
    storeNodePosition(*node, _placementPoint);
    _placementPoint += GeVector2<float>(25.0f, -25.0f);
}

// --- Rebuilding ---

bool SvBrowserGraph::isFiltered(int typeIndex) const {
    if (typeIndex < 0) return true;
    return static_cast<size_t>(typeIndex) < _filteredSocketTypes.size() && _filteredSocketTypes[typeIndex];
}

void SvBrowserGraph::setFilteredSocketType(int typeIndex, bool filtered) {
    if (static_cast<size_t>(typeIndex) >= _filteredSocketTypes.size()) _filteredSocketTypes.resize(typeIndex + 1);
    _filteredSocketTypes[typeIndex] = filtered;
}

bool SvBrowserGraph::isShown(const PiNode& node) const {
    if (PiNodeUtils::hasStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN)) return false;
    if (node.getNbOutputs() == 0) return true;
    for (const auto& output : node.getOutputs())
        if (!isFiltered(output->getSocketTypeIndex())) return true;
    return false;
}

void SvBrowserGraph::clearScene() {
    ZV_ASSERT(PiAppThread::isCurrent());
    _scene->clear();
    _nodeMap.clear();
    _edgeMap.clear();
    _groupMap.clear();
    _nodeCallbacks.releaseAll();
}

void SvBrowserGraph::refreshGraph(const LiString& reason) {
    ZV_ASSERT(PiAppThread::isCurrent());
    RefreshScope scope(this);
    clearScene();
    if (!_display->isViewShown()) return;
    updateTitle();
    RCStrongPtr<PiGraph> graph = getCompositionGraph();
    if (graph.isNull()) return;
    _lastGraph = graph;

    _scene->setOrientation(_display->getOrientation());
    if (!_currentNode.isNull() && _currentNode->isLive() && isShown(*_currentNode)) {
        _levelGroupId = _currentNode->getGroupPtr() ? _currentNode->getGroupPtr()->getId() : 0;
        buildNodes({_currentNode});
    } else {
        const RCStrongPtr<PiGroupNode>& level = _currentGroup.isNull() ? graph->getRootGroup() : _currentGroup;
        _levelGroupId = level->getId();
        buildNodes(level->getMembers());
    }

    const bool autoCleanup = _display->isAutoCleanup();
    _scene->layout(autoCleanup ? ScGraph::LayoutAll : ScGraph::LayoutUnplaced);
    if (!autoCleanup) storeAllPositions();
    for (const auto& group : _scene->getGroups()) group->updateBounds();
    applySelectionToScene(*getSelection(), true);
    _lastRefreshReason = reason;
    _display->redraw("SvBrowserGraph::refreshGraph");
}

void SvBrowserGraph::buildNodes(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    for (const auto& node : nodes) {
        if (isVisualGroupNode(*node)) {
            RCStrongPtr<PiGroupNode> group;
            group.dynamicAssign(node);
            RCShdPtr<ScGroup> sceneGroup = findOrAddGroup(group);
            for (const auto& member : group->getMembers())
                if (isShown(*member) && !isVisualGroupBoundary(*member)) addNode(member, sceneGroup);
        } else if (isShown(*node)) {
            addNode(node, {});
        }
    }
}

bool SvBrowserGraph::isInLevel(const PiNode& node) const {
    const PiGroupNode* group = node.getGroupPtr();
    if (!group) return false;
    if (group->getId() == _levelGroupId) return true;
    return isVisualGroupNode(*group) && group->getGroupPtr() && group->getGroupPtr()->getId() == _levelGroupId;
}

RCShdPtr<ScGroup> SvBrowserGraph::findOrAddGroup(const RCStrongPtr<PiGroupNode>& group) {
    auto found = _groupMap.find(group->getId());
    if (found != _groupMap.end()) return found->second;
    auto color = PiSchematicInterfaceEx::getNodeColor(*group);
    UiResColor groupColor = PiSchematicInterfaceEx::hasNodeColor(*group) ? UiResColor{color[0], color[1], color[2]}
                                                                          : UiResColor{0.44f, 0.518f, 0.463f};
    RCShdPtr<ScGroup> sceneGroup(new ScGroup(group, RCStrongPtr<RCBase>(group.get()), groupColor, group->getId()));
    sceneGroup->setLockState(PiSchematicInterfaceEx::getVisualGroupLockMode(*group));
    _groupMap.emplace(group->getId(), sceneGroup);
    _scene->getGroups().insert(sceneGroup);
    return sceneGroup;
}

// Adds a node and, depth first, the shown nodes upstream of it that the scene lacks: each node
// enters the scene before its sources, and each link after the links of its source. The walk keeps
// its own stack, so chains of any length build.
void SvBrowserGraph::addNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group) {
    ZV_ASSERT(!node.isNull());
    std::vector<InputWalk> walks;
    if (RCStrongPtr<ScNode> added = enterNode(node, group)) walks.push_back({added});
    while (!walks.empty()) {
        InputWalk& walk = walks.back();
        InputLink link;
        if (!findInputLink(walk, link)) {
            walks.pop_back();
            continue;
        }
        const LinkSource source = findLinkSource(*walk.target, *link.input);
        if (!source.node.isNull() && !_nodeMap.count(source.node->getId())) {
            // The link is made once the source's own links are: the walk comes back to it.
            if (RCStrongPtr<ScNode> added = enterNode(source.node, findVisualGroup(*source.node))) {
                walks.push_back({added});
                continue;
            }
        }
        if (!source.node.isNull()) addEdge(walk.target, link, source);
        ++walk.fan;
    }
}

// Null when the node is in the scene already or its description shows nothing.
RCStrongPtr<ScNode> SvBrowserGraph::enterNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group) {
    if (_nodeMap.count(node->getId())) return {};
    RCStrongPtr<ScNode> sceneNode = makeSceneNode(node);
    if (sceneNode.isNull()) return {};
    _nodeMap.emplace(node->getId(), sceneNode);
    _scene->getNodes().insert(sceneNode);
    if (!group.isNull()) group->addMember(sceneNode);
    for (int tag = 0; tag < UiCompositionClient::getNbContextPoints(); ++tag) {
        RCStrongPtr<PiNode> marked = getComposition().getContextPoint(tag);
        if (!marked.isNull() && marked->getId() == node->getId()) sceneNode->setContextPoint(tag, true);
    }
    _nodeCallbacks.add(PiSchematicInterfaceEx::addRefreshRequestCb(
        *node, makeRC<CbMethod<SvBrowserGraph, const PiSchematicNodeInfo&>>(this, &SvBrowserGraph::nodeRefreshCb)));
    return sceneNode;
}

// The scene group of the visual group the node lies in, made when missing; null outside visual groups.
RCShdPtr<ScGroup> SvBrowserGraph::findVisualGroup(const PiNode& node) {
    PiGroupNode* enclosing = node.getGroupPtr();
    if (!enclosing || !isVisualGroupNode(*enclosing)) return {};
    return findOrAddGroup(RCStrongPtr<PiGroupNode>(enclosing));
}

// A description that cannot be read shows the node with the default one; the user is told once.
RCStrongPtr<ScNode> SvBrowserGraph::makeSceneNode(const RCStrongPtr<PiNode>& node) {
    const int orientation = _scene->getOrientation();
    ScNodeFactory& factory = ScNodeFactory::getInstance();
    RCStrongPtr<ScNode> sceneNode;
    try {
        sceneNode = factory.createNode(node, orientation);
    } catch (const ScNodeFactory::BadXMLDescriptionEx& ex) {
        LiString key = ScNodeFactory::getDescriptionKey(node->getToolRef(), orientation);
        if (_warnedDescriptions.insert(key).second)
            _display->showWarning("The node description " + ex.getSource() + " is malformed (" + ex.getMessage() +
                                  "); its nodes are shown with the default look.");
        sceneNode = factory.createDefaultNode(node, orientation);
    }
    if (sceneNode.isNull()) return {};

    sceneNode->setProcessingNode(node);
    sceneNode->setName(getShownName(*node));
    addSockets(*sceneNode, *node);
    if (PiSchematicInterfaceEx::hasNodeColor(*node)) {
        auto c = PiSchematicInterfaceEx::getNodeColor(*node);
        sceneNode->setColor(true, {c[0], c[1], c[2]});
    }
    if (bool shown = false; PiSchematicInterfaceEx::isThumbnailStateSet(*node, shown)) sceneNode->setThumbnailShown(shown);
    GePoint2<float> stored;
    if (PiSchematicInterfaceEx::getXYPosition(*node, stored.x, stored.y)) {
        sceneNode->setPosition(stored);
        sceneNode->setPlaced(true);
    }
    return sceneNode;
}

void SvBrowserGraph::addSockets(ScNode& sceneNode, const PiNode& node) {
    // One tab per socket in the usual case: the records are allocated once.
    sceneNode.getInputs().reserve(node.getInputs().size());
    sceneNode.getOutputs().reserve(node.getOutputs().size());
    for (const auto& input : node.getInputs()) {
        if (isFiltered(input->getSocketTypeIndex())) continue;
        for (int value = 0; value < getNbInputTabs(*input); ++value) {
            ScNode::SocketRecord record{0, false, input->getName(), -1};
            sceneNode.addInput(record);
        }
    }
    for (const auto& output : node.getOutputs()) {
        ScNode::SocketRecord record{0, false, output->getName(), -1};
        sceneNode.addOutput(record);
    }
}

// A multi-valued input shows one tab per value on its fan (one when it has none yet).
int SvBrowserGraph::getNbInputTabs(const PiInput& input) {
    auto* multi = dynamic_cast<const PiMultivaluedInput*>(&input);
    return multi ? std::max(1, multi->getNbValues()) : 1;
}

// The link at the walk's place, moving past inputs without links. Inputs of filtered types have no
// tabs; a multi-valued input has one tab per value, so later inputs' tabs move along.
bool SvBrowserGraph::findInputLink(InputWalk& walk, InputLink& link) const {
    const auto& inputs = walk.target->getProcessingNode()->getInputs();
    for (; walk.input < inputs.size(); ++walk.input, walk.fan = 0) {
        const RCStrongPtr<PiInput>& input = inputs[walk.input];
        if (isFiltered(input->getSocketTypeIndex())) continue;
        if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get())) {
            if (walk.fan < multi->getNbValues()) {
                link = {multi->getValue(walk.fan), walk.tab + walk.fan, walk.fan};
                return true;
            }
        } else if (walk.fan == 0) {
            link = {input, walk.tab, 0};
            return true;
        }
        walk.tab += getNbInputTabs(*input);
    }
    return false;
}

// Where a link comes from as the scene shows it: through visual groups' sockets, from outside a
// collapsed chain into its head, and from the head that stands for a collapsed chain. Unshown
// sources give none.
SvBrowserGraph::LinkSource SvBrowserGraph::findLinkSource(const ScNode& target, const PiInput& input) const {
    RCStrongPtr<PiOutput> output = resolveThroughVisualGroups(input.getOutput());
    if (!output.isNull() && PiNodeUtils::getCollapseNode(*output) == target.getProcessingNode())
        output = findChainSource(output);
    if (output.isNull()) return {};
    RCStrongPtr<PiNode> sourceNode = PiNodeUtils::getCollapseNode(*output);
    const bool collapsed = !sourceNode.isNull();
    if (!collapsed) sourceNode = output->getNode();
    if (sourceNode.isNull() || !isShown(*sourceNode) || !isInLevel(*sourceNode)) return {};
    return {output, sourceNode, collapsed};
}

void SvBrowserGraph::addEdge(const RCStrongPtr<ScNode>& target, const InputLink& link, const LinkSource& from) {
    RCStrongPtr<ScNode> source = findNode(*from.node);
    if (source.isNull()) return;
    const int sourceTab = from.collapsed ? 0 : from.output->getIndex();
    ZV_ASSERT(sourceTab < static_cast<int>(source->getOutputs().size()));
    ZV_ASSERT(link.tab < static_cast<int>(target->getInputs().size()));
    const int key = ++_nextEdgeKey;
    const auto& consumers = from.output->getConnections();
    const int sourceFan =
        static_cast<int>(std::find(consumers.begin(), consumers.end(), link.input.get()) - consumers.begin());
    RCStrongPtr<Edge> edge(
        new Edge(source, sourceTab, sourceFan, target, link.tab, link.fan, key, from.output, link.input));
    _edgeMap.emplace(key, edge);
    _scene->getEdges().insert(RCShdPtr<ScEdge>(edge));
}

void SvBrowserGraph::storeAllPositions() {
    const bool former = _storingPositions;
    _storingPositions = true;
    {
        PiUndoGuardNoLog guard;
        for (const auto& [id, sceneNode] : _nodeMap) {
            const GePoint2<float>& p = sceneNode->getPosition();
            PiSchematicInterfaceEx::setXYPosition(sceneNode->getProcessingNode(), p.x, p.y);
        }
    }
    _storingPositions = former;
}

// --- Selection ---

void SvBrowserGraph::applySelectionToScene(const SnSelection& selection, bool select, std::set<int>* collected) {
    if (select) {
        for (const auto& node : _scene->getNodes()) node->setSelected(false);
        for (const auto& group : _scene->getGroups()) group->setSelected(false);
        for (const auto& edge : _scene->getEdges()) edge->setSelected(false);
    }
    for (const auto& item : selection) {
        auto* nodeItem = dynamic_cast<const PiSnItemConst<PiNode>*>(item.get());
        if (!nodeItem || !nodeItem->isValid()) continue;
        const PiNode& node = *nodeItem->get();
        if (isVisualGroupNode(node)) {
            auto group = _groupMap.find(node.getId());
            if (select && group != _groupMap.end()) group->second->setSelected(true);
            continue;
        }
        RCStrongPtr<ScNode> sceneNode = findNode(node);
        if (sceneNode.isNull()) continue;
        if (select) sceneNode->setSelected(true);
        if (collected) collected->insert(node.getId());
    }
    if (!select) return;
    for (const auto& item : selection) {
        auto* inputItem = dynamic_cast<const PiSnItemConst<PiInput>*>(item.get());
        if (!inputItem || !inputItem->isValid()) continue;
        for (const auto& [key, edge] : _edgeMap)
            if (edge->getInput().get() == inputItem->get().get()) edge->setSelected(true);
    }
}

void SvBrowserGraph::applySceneSelectionToModel() {
    RCShdPtr<SnSelection> selection = getSelection();
    SnSelection::Items items;
    for (const auto& node : _scene->getNodes())
        if (node->isSelected() && !node->getProcessingNode().isNull())
            items.push_back(PiSnItemConst<PiNode>::create(node->getProcessingNode()));
    selection->replaceAll(items);
}

std::set<int> SvBrowserGraph::getSceneSelection() const {
    std::set<int> ids;
    for (const auto& [id, node] : _nodeMap)
        if (node->isSelected()) ids.insert(id);
    return ids;
}

// --- Levels ---

void SvBrowserGraph::resetDisplayGraph(const RCStrongPtr<PiGraph>& graph, bool followNode) {
    if (graph.isNull()) {
        _display->setCommandStack(nullptr, 0);
        _viewStates.clear();
    } else if (!graph->hasWritableCommandStack()) {
        _display->setCommandStack(nullptr, 1);
    } else {
        _display->setCommandStack(&graph->getCommandStack(), 2);
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
    _viewStates[getViewKey()] = _display->getUserZoomPan();
}

void SvBrowserGraph::restoreView() {
    auto saved = _viewStates.find(getViewKey());
    if (saved != _viewStates.end())
        _display->setUserZoomPan(saved->second);
    else
        _display->resetUserZoomPan();
}

// Views are kept per level: the composition's identity (names are not unique) and the shown group's, or
// the root's.
LiString SvBrowserGraph::getViewKey() const {
    RCStrongPtr<PiGraph> graph = _lastGraph.lock();
    LiString composition = graph.isNull() ? LiString() : graph->getUuid().toString();
    int groupId = _currentGroup.isNull() ? 0 : _currentGroup->getId();
    return composition + ":" + LiStringUtil::convertNb(groupId);
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
        std::vector<RCStrongPtr<PiNode>> chain;
        if (PiNodeUtils::hasStoredValue(*head, PiNodeUtils::C_VALUE, PiNodeUtils::COLLAPSED)) {
            PiNodeUtils::collapseNodeTree(head, 1, 1, PiNodeUtils::UNCOLLAPSED, chain);
        } else {
            PiNodeUtils::collapseNodeTree(head, 1, 0, PiNodeUtils::HIDDEN, chain);
            for (auto it = chain.begin(); it != chain.end();) {
                if (PiNodeUtils::getCollapseType(**it) == 1) {
                    PiNodeUtils::setStoredValue(*it, PiNodeUtils::C_VALUE, PiNodeUtils::UNCOLLAPSED);
                    it = chain.erase(it);
                } else {
                    ++it;
                }
            }
            for (const auto& node : chain) PiNodeUtils::setStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN);
            PiNodeUtils::setStoredValue(head, PiNodeUtils::C_VALUE, PiNodeUtils::COLLAPSED);
        }
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
