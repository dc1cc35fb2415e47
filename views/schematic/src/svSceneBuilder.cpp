#include "views/schematic/src/svSceneBuilder.h"

#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/svDisplayInterface.h"

#include "platform/base/assertions.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piTool.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionClient.h"

#include <algorithm>

namespace Zv {
namespace {

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
    while (!output.isNull() &&
           PiNodeUtils::hasStoredValue(*output->getNodePtr(), PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN)) {
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

SvSceneBuilder::SvSceneBuilder(UiComposition& composition, ScGraph& scene, SvDisplayInterface& display,
                               RCStrongPtr<PiGraph::RefreshHandler> refresh)
    : _composition(composition), _scene(scene), _display(display), _refresh(std::move(refresh)) {}

SvSceneBuilder::~SvSceneBuilder() = default;

bool SvSceneBuilder::isFiltered(int typeIndex) const {
    if (typeIndex < 0) return true;
    return static_cast<size_t>(typeIndex) < _filteredSocketTypes.size() && _filteredSocketTypes[typeIndex];
}

void SvSceneBuilder::setFilteredSocketType(int typeIndex, bool filtered) {
    if (static_cast<size_t>(typeIndex) >= _filteredSocketTypes.size()) _filteredSocketTypes.resize(typeIndex + 1);
    _filteredSocketTypes[typeIndex] = filtered;
}

bool SvSceneBuilder::isShown(const PiNode& node) const {
    if (PiNodeUtils::hasStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN)) return false;
    if (node.getNbOutputs() == 0) return true;
    for (const auto& output : node.getOutputs())
        if (!isFiltered(output->getSocketTypeIndex())) return true;
    return false;
}

RCStrongPtr<ScNode> SvSceneBuilder::findNode(const PiNode& node) const {
    auto found = _nodeMap.find(node.getId());
    return found == _nodeMap.end() ? RCStrongPtr<ScNode>() : found->second;
}

RCShdPtr<ScGroup> SvSceneBuilder::findGroup(int id) const {
    auto found = _groupMap.find(id);
    return found == _groupMap.end() ? RCShdPtr<ScGroup>() : found->second;
}

void SvSceneBuilder::clear() {
    ZV_ASSERT(PiAppThread::isCurrent());
    _scene.clear();
    _nodeMap.clear();
    _edgeMap.clear();
    _groupMap.clear();
    _nodeCallbacks.releaseAll();
}

void SvSceneBuilder::build(int levelGroupId, const std::vector<RCStrongPtr<PiNode>>& nodes) {
    _levelGroupId = levelGroupId;
    for (const auto& node : nodes) addLevelMember(node);
}

// A visual group shows as a box round its shown members.
void SvSceneBuilder::addLevelMember(const RCStrongPtr<PiNode>& node) {
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

bool SvSceneBuilder::isInLevel(const PiNode& node) const {
    const PiGroupNode* group = node.getGroupPtr();
    if (!group) return false;
    if (group->getId() == _levelGroupId) return true;
    return isVisualGroupNode(*group) && group->getGroupPtr() && group->getGroupPtr()->getId() == _levelGroupId;
}

RCShdPtr<ScGroup> SvSceneBuilder::findOrAddGroup(const RCStrongPtr<PiGroupNode>& group) {
    if (RCShdPtr<ScGroup> found = findGroup(group->getId())) return found;
    auto color = PiSchematicInterfaceEx::getNodeColor(*group);
    const UiResColor groupColor = PiSchematicInterfaceEx::hasNodeColor(*group)
                                      ? UiResColor{color[0], color[1], color[2]}
                                      : ScGroup::kDefaultColor;
    RCShdPtr<ScGroup> sceneGroup(new ScGroup(group, RCStrongPtr<RCBase>(group.get()), groupColor, group->getId()));
    sceneGroup->setLockState(PiSchematicInterfaceEx::getVisualGroupLockMode(*group));
    _groupMap.emplace(group->getId(), sceneGroup);
    _scene.getGroups().insert(sceneGroup);
    return sceneGroup;
}

// The nodes entered also link to the consumers shown already, which were built without them.
void SvSceneBuilder::addNode(const RCStrongPtr<PiNode>& node) {
    if (!isInLevel(*node)) return;
    std::vector<RCStrongPtr<ScNode>> entered;
    _entered = &entered;
    if (node->getGroupPtr()->getId() == _levelGroupId) addLevelMember(node);
    else if (isShown(*node) && !isVisualGroupBoundary(*node)) addNode(node, findVisualGroup(*node));
    _entered = nullptr;
    for (const auto& sceneNode : entered) linkToShownConsumers(*sceneNode);
}

void SvSceneBuilder::linkToShownConsumers(const ScNode& source) {
    std::set<const PiNode*> consumers;
    for (const auto& output : source.getProcessingNode()->getOutputs()) collectConsumers(*output, consumers);
    for (const PiNode* consumer : consumers) {
        const RCStrongPtr<ScNode> target = findNode(*consumer);
        if (target.isNull()) continue;
        InputWalk walk{target};
        for (InputLink link; findInputLink(walk, link); ++walk.fan) {
            const LinkSource from = findLinkSource(*target, *link.input);
            if (from.node == source.getProcessingNode() && !hasEdge(*target, *link.input)) addEdge(target, link, from);
        }
    }
}

// The nodes an output feeds, through the sockets of visual groups, which are not drawn.
void SvSceneBuilder::collectConsumers(const PiOutput& output, std::set<const PiNode*>& consumers) const {
    for (const PiInput* input : output.getConnections()) {
        const PiNode& consumer = *input->getNodePtr();
        RCStrongPtr<PiOutput> passage;
        if (auto* group = dynamic_cast<const PiGroupNode*>(&consumer); group && isVisualGroupNode(*group)) {
            if (RCStrongPtr<PiBoundaryNode> inner = group->getBoundaryNode(*input))
                passage.dynamicAssign(inner->getInnerSocket());
        } else if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(&consumer);
                   boundary && isVisualGroupBoundary(*boundary)) {
            passage.dynamicAssign(boundary->getGroupSocket());
        }
        if (passage.isNull()) consumers.insert(&consumer);
        else collectConsumers(*passage, consumers);
    }
}

bool SvSceneBuilder::hasEdge(const ScNode& target, const PiInput& input) const {
    return std::any_of(_edgeMap.begin(), _edgeMap.end(), [&](const auto& entry) {
        return entry.second->getTarget().get() == &target && entry.second->getInput().get() == &input;
    });
}

// Depth first: each node enters the scene before its sources, and each link after the links of its
// source. The walk keeps its own stack, so chains of any length build.
void SvSceneBuilder::addNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group) {
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

void SvSceneBuilder::removeNode(int id) {
    const auto found = _nodeMap.find(id);
    if (found == _nodeMap.end()) return;
    const RCStrongPtr<ScNode> sceneNode = found->second;
    for (auto edge = _edgeMap.begin(); edge != _edgeMap.end();) {
        if (edge->second->getSource() == sceneNode || edge->second->getTarget() == sceneNode) {
            _scene.getEdges().erase(edge->second.get());
            edge = _edgeMap.erase(edge);
        } else {
            ++edge;
        }
    }
    for (const auto& group : _scene.getGroups()) group->removeMember(*sceneNode);
    _scene.getNodes().erase(sceneNode.get());
    _nodeMap.erase(found);
}

// Null when the node is in the scene already or its description shows nothing.
RCStrongPtr<ScNode> SvSceneBuilder::enterNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group) {
    if (_nodeMap.count(node->getId())) return {};
    RCStrongPtr<ScNode> sceneNode = makeSceneNode(node);
    if (sceneNode.isNull()) return {};
    _nodeMap.emplace(node->getId(), sceneNode);
    _scene.getNodes().insert(sceneNode);
    if (_entered) _entered->push_back(sceneNode);
    if (!group.isNull()) group->addMember(sceneNode);
    for (int tag = 0; tag < UiCompositionClient::getNbContextPoints(); ++tag) {
        RCStrongPtr<PiNode> marked = _composition.getContextPoint(tag);
        if (!marked.isNull() && marked->getId() == node->getId()) sceneNode->setContextPoint(tag, true);
    }
    _nodeCallbacks.add(PiSchematicInterfaceEx::addRefreshRequestCb(*node, _refresh));
    return sceneNode;
}

// The scene group of the visual group the node lies in, made when missing; null outside visual groups.
RCShdPtr<ScGroup> SvSceneBuilder::findVisualGroup(const PiNode& node) {
    PiGroupNode* enclosing = node.getGroupPtr();
    if (!enclosing || !isVisualGroupNode(*enclosing)) return {};
    return findOrAddGroup(RCStrongPtr<PiGroupNode>(enclosing));
}

// A description that cannot be read shows the node with the default one; the user is told once.
RCStrongPtr<ScNode> SvSceneBuilder::makeSceneNode(const RCStrongPtr<PiNode>& node) {
    const ScOrientation orientation = _scene.getOrientation();
    ScNodeFactory& factory = ScNodeFactory::getInstance();
    RCStrongPtr<ScNode> sceneNode;
    try {
        sceneNode = factory.createNode(node, orientation);
    } catch (const ScNodeFactory::BadXMLDescriptionEx& ex) {
        LiString key = ScNodeFactory::getDescriptionKey(node->getToolRef(), orientation);
        if (_warnedDescriptions.insert(key).second)
            _display.showWarning("The node description " + ex.getSource() + " is malformed (" + ex.getMessage() +
                                 "); its nodes are shown with the default look.");
        sceneNode = factory.createDefaultNode(node, orientation);
    }
    if (sceneNode.isNull()) return {};

    sceneNode->setName(getShownName(*node));
    addSockets(*sceneNode, *node);
    if (PiSchematicInterfaceEx::hasNodeColor(*node)) {
        auto c = PiSchematicInterfaceEx::getNodeColor(*node);
        sceneNode->setColor(true, {c[0], c[1], c[2]});
    }
    if (bool shown = false; PiSchematicInterfaceEx::isThumbnailStateSet(*node, shown))
        sceneNode->setThumbnailShown(shown);
    GePoint2<float> stored;
    if (PiSchematicInterfaceEx::getXYPosition(*node, stored.x, stored.y)) {
        sceneNode->setPosition(stored);
        sceneNode->setPlaced(true);
    }
    return sceneNode;
}

void SvSceneBuilder::addSockets(ScNode& sceneNode, const PiNode& node) const {
    // One tab per socket in the usual case: the records are allocated once.
    sceneNode.getInputs().reserve(node.getInputs().size());
    sceneNode.getOutputs().reserve(node.getOutputs().size());
    for (const auto& input : node.getInputs()) {
        if (isFiltered(input->getSocketTypeIndex())) continue;
        for (int value = 0; value < PiNodeUtils::getNbInputTabs(*input); ++value) {
            ScNode::SocketRecord record{0, false, input->getName(), -1};
            sceneNode.addInput(record);
        }
    }
    for (const auto& output : node.getOutputs()) {
        ScNode::SocketRecord record{0, false, output->getName(), -1};
        sceneNode.addOutput(record);
    }
}

// The link at the walk's place, moving past inputs without links. Inputs of filtered types have no
// tabs; a multi-valued input has one tab per value, so later inputs' tabs move along.
bool SvSceneBuilder::findInputLink(InputWalk& walk, InputLink& link) const {
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
        walk.tab += PiNodeUtils::getNbInputTabs(*input);
    }
    return false;
}

// Where a link comes from as the scene shows it: through visual groups' sockets, from outside a
// collapsed chain into its head, and from the head that stands for a collapsed chain. Unshown
// sources give none.
SvSceneBuilder::LinkSource SvSceneBuilder::findLinkSource(const ScNode& target, const PiInput& input) const {
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

void SvSceneBuilder::addEdge(const RCStrongPtr<ScNode>& target, const InputLink& link, const LinkSource& from) {
    RCStrongPtr<ScNode> source = findNode(*from.node);
    if (source.isNull()) return;
    const int sourceTab = from.collapsed ? 0 : from.output->getIndex();
    ZV_ASSERT(sourceTab < static_cast<int>(source->getOutputs().size()));
    ZV_ASSERT(link.tab < static_cast<int>(target->getInputs().size()));
    const int key = ++_nextEdgeKey;
    const auto& consumers = from.output->getConnections();
    const int sourceFan =
        static_cast<int>(std::find(consumers.begin(), consumers.end(), link.input.get()) - consumers.begin());
    RCStrongPtr<SvModelEdge> edge(
        new SvModelEdge(source, sourceTab, sourceFan, target, link.tab, link.fan, key, from.output, link.input));
    _edgeMap.emplace(key, edge);
    _scene.getEdges().insert(RCShdPtr<ScEdge>(edge));
}

} // namespace Zv
