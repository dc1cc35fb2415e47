#include "views/schematic/src/svSceneBuilder.h"

#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/svDisplayInterface.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeController.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piTool.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionClient.h"

#include <algorithm>
#include <utility>

namespace Zv {
namespace {

// Calls visit with every input of the node, and each value of a multi-valued one.
template <class Visit>
void forEachInputOf(const PiNode& node, Visit visit) {
    for (const auto& input : node.getInputs()) {
        visit(*input);
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get()))
            for (const auto& value : multi->getValues()) visit(*value);
    }
}

// Whether the node converts the image of an input's tab: the input, or its value of that index.
bool mustConvert(const PiInput& input, int value) {
    const auto* multi = dynamic_cast<const PiMultivaluedInput*>(&input);
    if (!PiImageModifier::isImageModifier(*input.getNodePtr())) return false;
    if (!multi) return PiImageModifier::getConversionInfo(input).mustConvert();
    return value < multi->getNbValues() && PiImageModifier::getConversionInfo(*multi->getValue(value)).mustConvert();
}

// Where a link's input lies among its output's consumers.
int findSourceFan(const PiOutput& output, const PiInput& input) {
    const auto& consumers = output.getConnections();
    return static_cast<int>(std::find(consumers.begin(), consumers.end(), &input) - consumers.begin());
}

// The colour the model gives a node, or fallback when it gives none.
UiResColor getModelColor(const PiNode& node, const UiResColor& fallback) {
    if (!PiSchematicInterfaceEx::hasNodeColor(node)) return fallback;
    const PiSchematicInterfaceEx::Color color = PiSchematicInterfaceEx::getNodeColor(node);
    return {color[0], color[1], color[2]};
}

} // namespace

LiString SvSceneBuilder::getShownName(const PiNode& node) {
    if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(&node))
        return boundary->getGroupSocket()->getName() + (boundary->isOutputNode() ? " Output Image" : " Input Image");
    return node.getName().isEmpty() ? LiString("UnNamed") : node.getName();
}

bool SvSceneBuilder::isVisualGroupNode(const PiNode& node) {
    return dynamic_cast<const PiGroupNode*>(&node) && PiSchematicInterfaceEx::isVisualGroup(node);
}

// A box's boundary nodes are not drawn: the box shows the grouping instead.
bool SvSceneBuilder::isBoxBoundary(const PiNode& node) const {
    return dynamic_cast<const PiBoundaryNode*>(&node) && node.getGroupPtr() && isBoxInLevel(*node.getGroupPtr());
}

// The output a box's socket, or one of its boundary nodes, passes an input's link on to; null for an
// input of any other node.
RCStrongPtr<PiOutput> SvSceneBuilder::findPassage(const PiInput& input) const {
    const PiNode& node = *input.getNodePtr();
    RCStrongPtr<PiOutput> passage;
    if (auto* group = dynamic_cast<const PiGroupNode*>(&node); group && isBoxInLevel(*group)) {
        if (RCStrongPtr<PiBoundaryNode> inner = group->getBoundaryNode(input))
            passage.dynamicAssign(inner->getInnerSocket());
    } else if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(&node); boundary && isBoxBoundary(*boundary)) {
        passage.dynamicAssign(boundary->getGroupSocket());
    }
    return passage;
}

// The output a link really comes from when it passes through a box's sockets, which are not drawn;
// null when nothing feeds it.
RCStrongPtr<PiOutput> SvSceneBuilder::resolveThroughBoxes(RCStrongPtr<PiOutput> output) const {
    while (!output.isNull()) {
        PiNode* node = output->getNodePtr();
        RCStrongPtr<PiInput> passage;
        if (auto* boundary = dynamic_cast<PiBoundaryNode*>(node); boundary && isBoxBoundary(*boundary))
            passage.dynamicAssign(boundary->getGroupSocket());
        else if (auto* group = dynamic_cast<PiGroupNode*>(node); group && isBoxInLevel(*group))
            if (RCStrongPtr<PiBoundaryNode> inner = group->getBoundaryNode(*output))
                passage.dynamicAssign(inner->getInnerSocket());
        if (passage.isNull()) return output;
        output = passage->getOutput();
    }
    return output;
}

// The output outside a collapsed chain that feeds it: upstream through the hidden nodes along
// their first connected input; null when the chain starts inside.
RCStrongPtr<PiOutput> SvSceneBuilder::findChainSource(RCStrongPtr<PiOutput> output) const {
    while (!output.isNull() &&
           PiNodeUtils::hasStoredValue(*output->getNodePtr(), PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN)) {
        RCStrongPtr<PiOutput> upstream;
        for (const auto& input : output->getNodePtr()->getInputs())
            if (input->isConnected()) {
                upstream = resolveThroughBoxes(input->getOutput());
                break;
            }
        output = upstream;
    }
    return output;
}

SvSceneBuilder::SvSceneBuilder(UiComposition& composition, ScGraph& scene, SvDisplayInterface& display,
                               RCStrongPtr<PiGraph::RefreshHandler> refresh)
    : _composition(composition), _scene(scene), _display(display), _refresh(std::move(refresh)) {}

SvSceneBuilder::~SvSceneBuilder() = default;

bool SvSceneBuilder::isFiltered(int typeIndex) const {
    if (typeIndex < 0) return true;
    return static_cast<size_t>(typeIndex) < _filteredSocketTypes.size() && _filteredSocketTypes[typeIndex];
}

// The inverse of addSockets: filtered inputs have no tabs, a multi-valued one a tab per value.
RCStrongPtr<PiInput> SvSceneBuilder::findTabInput(const PiNode& node, int tab) const {
    for (const auto& input : node.getInputs()) {
        if (isFiltered(input->getSocketTypeIndex())) continue;
        tab -= PiNodeUtils::getNbInputTabs(*input);
        if (tab < 0) return input;
    }
    return {};
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
    _edgeKeyByInput.clear();
    _groupMap.clear();
    _nodeCallbacks.clear();
    _entered.clear();
}

void SvSceneBuilder::build(int levelGroupId, const std::vector<RCStrongPtr<PiNode>>& nodes) {
    _levelGroupId = levelGroupId;
    // A large level would otherwise rehash these tables many times over; most nodes have one link in.
    _edgeKeyByInput.reserve(_edgeKeyByInput.size() + nodes.size());
    _nodeCallbacks.reserve(_nodeCallbacks.size() + nodes.size());
    for (const auto& node : nodes) addLevelMember(node);
}

// A visual group shows as a box round its shown members.
void SvSceneBuilder::addLevelMember(const RCStrongPtr<PiNode>& node) {
    if (isVisualGroupNode(*node)) {
        RCStrongPtr<PiGroupNode> group;
        group.dynamicAssign(node);
        RCShdPtr<ScGroup> sceneGroup = findOrAddGroup(group);
        for (const auto& member : group->getMembers())
            if (isShown(*member) && !isBoxBoundary(*member)) addNode(member, sceneGroup);
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
    RCShdPtr<ScGroup> sceneGroup(new ScGroup(group, RCStrongPtr<RCBase>(group.get()),
                                             getModelColor(*group, ScGroup::kDefaultColor), group->getId()));
    sceneGroup->setLockState(PiSchematicInterfaceEx::getVisualGroupLockMode(*group));
    _groupMap.emplace(group->getId(), sceneGroup);
    _scene.getGroups().insert(sceneGroup);
    return sceneGroup;
}

template <class Change>
void SvSceneBuilder::entering(Change change) {
    const size_t first = _entered.size();
    _incremental = true;
    change();
    _incremental = false;
    for (size_t i = first; i < _entered.size(); ++i) linkToShownConsumers(*_entered[i]);
}

void SvSceneBuilder::addNode(const RCStrongPtr<PiNode>& node) {
    addNodes({node});
}

// Members of the level group as build adds them, members of its visual groups into their boxes.
void SvSceneBuilder::addNodes(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    entering([&] {
        for (const auto& node : nodes) {
            if (!isInLevel(*node)) continue;
            if (node->getGroupPtr()->getId() == _levelGroupId) addLevelMember(node);
            else if (isShown(*node) && !isBoxBoundary(*node)) addNode(node, findVisualGroup(*node));
        }
    });
}

std::vector<RCStrongPtr<ScNode>> SvSceneBuilder::takeEntered() {
    return std::exchange(_entered, {});
}

// As build shows them: a visual group of the level is a box, while one inside a box is a node.
bool SvSceneBuilder::isShownInLevel(const PiNode& node) const {
    if (!node.isLive() || !isInLevel(node) || !isShown(node)) return false;
    return node.getGroupPtr()->getId() == _levelGroupId ? !isVisualGroupNode(node) : !isBoxBoundary(node);
}

bool SvSceneBuilder::isBoxInLevel(const PiNode& node) const {
    return node.isLive() && isVisualGroupNode(node) && node.getGroupPtr() &&
           node.getGroupPtr()->getId() == _levelGroupId;
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
            if (from.node == source.getProcessingNode() && !_edgeKeyByInput.count(link.input.get()))
                addEdge(target, link, from);
        }
    }
}

// The nodes an output feeds, through the sockets of visual groups, which are not drawn.
void SvSceneBuilder::collectConsumers(const PiOutput& output, std::set<const PiNode*>& consumers) const {
    for (const PiInput* input : output.getConnections()) {
        if (RCStrongPtr<PiOutput> passage = findPassage(*input)) collectConsumers(*passage, consumers);
        else consumers.insert(input->getNodePtr());
    }
}

// Depth first: each node enters the scene before its sources, and each link after the links of its
// source. The walk keeps its own stack, so chains of any length build.
void SvSceneBuilder::addNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group) {
    ZV_ASSERT(!node.isNull());
    if (RCStrongPtr<ScNode> added = enterNode(node, group)) linkInputs(added);
}

void SvSceneBuilder::linkInputs(const RCStrongPtr<ScNode>& target) {
    std::vector<InputWalk> walks{{target}};
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

void SvSceneBuilder::forgetHighlight(const std::set<const ScNode*>& nodes, const ScGroup* group) {
    const ScGraph::Highlight& highlight = _scene.getHighlight();
    const bool shown = nodes.count(highlight.node.get()) || (group && highlight.group.get() == group) ||
                       (highlight.edge && (nodes.count(highlight.edge->getSource().get()) ||
                                           nodes.count(highlight.edge->getTarget().get())));
    if (shown) _scene.setHighlight({});
}

void SvSceneBuilder::eraseEdge(int key) {
    const auto found = _edgeMap.find(key);
    if (found == _edgeMap.end()) return;
    _edgeKeyByInput.erase(found->second->getInput().get());
    _scene.getEdges().erase(found->second.get());
    _edgeMap.erase(found);
}

// One pass over the links however many nodes leave.
void SvSceneBuilder::removeNodes(const std::set<int>& ids) {
    std::set<const ScNode*> leaving;
    for (int id : ids)
        if (const auto found = _nodeMap.find(id); found != _nodeMap.end()) leaving.insert(found->second.get());
    if (leaving.empty()) return;
    forgetHighlight(leaving);
    std::vector<int> keys;
    for (const auto& [key, edge] : _edgeMap)
        if (leaving.count(edge->getSource().get()) || leaving.count(edge->getTarget().get())) keys.push_back(key);
    for (int key : keys) eraseEdge(key);
    for (const auto& group : _scene.getGroups())
        for (const ScNode* node : leaving) group->removeMember(*node);
    for (const ScNode* node : leaving) {
        const int id = node->getProcessingNode()->getId();
        _scene.getNodes().erase(node);
        _nodeMap.erase(id);
        _nodeCallbacks.erase(id);
    }
}

void SvSceneBuilder::removeGroup(int id) {
    const auto found = _groupMap.find(id);
    if (found == _groupMap.end()) return;
    const RCShdPtr<ScGroup> group = found->second;
    std::set<int> members;
    for (const auto& member : group->getMembers()) members.insert(member->getProcessingNode()->getId());
    removeNodes(members);
    forgetHighlight({}, group.get());
    _scene.getGroups().erase(group.get());
    _groupMap.erase(found);
}

void SvSceneBuilder::remakeInputs(const std::vector<RCStrongPtr<ScNode>>& nodes,
                                  const std::vector<const PiInput*>& former) {
    std::set<const ScNode*> targets;
    for (const auto& node : nodes) targets.insert(node.get());
    forgetHighlight(targets);
    const auto eraseLinkInto = [&](const PiInput& input) {
        const auto found = _edgeKeyByInput.find(&input);
        if (found != _edgeKeyByInput.end() && targets.count(_edgeMap.at(found->second)->getTarget().get()))
            eraseEdge(found->second);
    };
    for (const PiInput* input : former) eraseLinkInto(*input);
    for (const auto& node : nodes) forEachInputOf(*node->getProcessingNode(), eraseLinkInto);
    entering([&] {
        for (const auto& node : nodes) {
            node->clearSockets();
            addSockets(*node, *node->getProcessingNode());
            linkInputs(node);
        }
    });
}

void SvSceneBuilder::renumberSourceFans(const std::set<const PiOutput*>& outputs) {
    for (const auto& [key, edge] : _edgeMap)
        if (outputs.count(edge->getOutput().get()))
            edge->setSourceFanIndex(findSourceFan(*edge->getOutput(), *edge->getInput()));
}

void SvSceneBuilder::updateMembership(const RCStrongPtr<ScNode>& sceneNode) {
    const RCShdPtr<ScGroup> wanted = findVisualGroup(*sceneNode->getProcessingNode());
    for (const auto& group : _scene.getGroups())
        if (group != wanted) group->removeMember(*sceneNode);
    if (wanted &&
        std::find(wanted->getMembers().begin(), wanted->getMembers().end(), sceneNode) == wanted->getMembers().end())
        wanted->addMember(sceneNode);
}

void SvSceneBuilder::collectLinkTargets(const PiInput& input, std::map<int, RCStrongPtr<ScNode>>& targets) const {
    std::set<const PiNode*> consumers;
    if (RCStrongPtr<PiOutput> passage = findPassage(input.getTopInput())) collectConsumers(*passage, consumers);
    else consumers.insert(input.getNodePtr());
    for (const PiNode* consumer : consumers) {
        RCStrongPtr<ScNode> target = findNode(*consumer);
        if (target.isNull() && consumer->getNbInputs() > 0)
            if (RCStrongPtr<PiNode> head = PiNodeUtils::getCollapseNode(*consumer->getInputs().front()))
                target = findNode(*head);
        if (!target.isNull()) targets.emplace(target->getProcessingNode()->getId(), target);
    }
}

// Links from a collapsed chain are shown from the node it folds into, found by following the chain
// downstream: a change at any of its nodes can move links out of the others.
void SvSceneBuilder::collectChainLinkTargets(const PiNode& node, std::map<int, RCStrongPtr<ScNode>>& targets) const {
    const auto isHidden = [](const PiNode& candidate) {
        return PiNodeUtils::hasStoredValue(candidate, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN);
    };
    std::vector<const PiNode*> pending{&node};
    std::set<const PiNode*> seen{&node};
    const auto visit = [&](const PiNode* next) {
        if (next && next->isLive() && isHidden(*next) && seen.insert(next).second) pending.push_back(next);
    };
    while (!pending.empty()) {
        const PiNode& current = *pending.back();
        pending.pop_back();
        for (const auto& output : current.getOutputs())
            for (const PiInput* input : output->getConnections()) {
                collectLinkTargets(*input, targets);
                visit(input->getNodePtr());
            }
        forEachInputOf(current, [&](const PiInput& input) {
            if (input.isConnected()) visit(input.getOutput()->getNodePtr());
        });
    }
}

int SvSceneBuilder::findInputTab(const ScNode& sceneNode, const PiInput& input) const {
    int tab = 0;
    for (const auto& candidate : sceneNode.getProcessingNode()->getInputs()) {
        if (isFiltered(candidate->getSocketTypeIndex())) continue;
        if (candidate.get() == &input) return tab;
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(candidate.get()))
            for (const auto& value : multi->getValues())
                if (value.get() == &input) return tab + value->getIndex();
        tab += PiNodeUtils::getNbInputTabs(*candidate);
    }
    return -1;
}

void SvSceneBuilder::conversionChangedCb(const RCStrongPtr<PiInput>& input) {
    ZV_ASSERT(!input->isComposite());
    RCStrongPtr<ScNode> sceneNode = findNode(*input->getNodePtr());
    if (sceneNode.isNull())
        if (RCStrongPtr<PiNode> head = PiNodeUtils::getCollapseNode(*input)) sceneNode = findNode(*head);
    if (sceneNode.isNull()) return;
    const int tab = findInputTab(*sceneNode, *input);
    if (tab < 0 || tab >= static_cast<int>(sceneNode->getInputs().size())) return;
    sceneNode->setInputConverted(tab, PiImageModifier::getConversionInfo(*input).mustConvert());
    _display.redrawNode(*sceneNode);
}

RCStrongPtr<SvModelEdge> SvSceneBuilder::findEdge(const PiInput& input) const {
    const auto found = _edgeKeyByInput.find(&input);
    return found == _edgeKeyByInput.end() ? RCStrongPtr<SvModelEdge>() : _edgeMap.at(found->second);
}

bool SvSceneBuilder::showNodeColor(const PiNode& node) {
    bool shown = false;
    if (RCStrongPtr<ScNode> sceneNode = findNode(node)) {
        sceneNode->setColor(PiSchematicInterfaceEx::hasNodeColor(node), getModelColor(node, {}));
        shown = true;
    }
    if (RCShdPtr<ScGroup> group = findGroup(node.getId())) {
        group->setColor(getModelColor(node, ScGroup::kDefaultColor));
        shown = true;
    }
    return shown;
}

int SvSceneBuilder::removeDanglingEdges() {
    std::vector<int> dangling;
    for (const auto& [key, edge] : _edgeMap)
        if (!edge->isValid()) dangling.push_back(key);
    for (int key : dangling) eraseEdge(key);
    return static_cast<int>(dangling.size());
}

// Null when the node is in the scene already or its description shows nothing.
RCStrongPtr<ScNode> SvSceneBuilder::enterNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group) {
    if (_nodeMap.count(node->getId())) return {};
    RCStrongPtr<ScNode> sceneNode = makeSceneNode(node);
    if (sceneNode.isNull()) return {};
    // Consumers are mostly numbered before their sources, so ids mostly arrive in increasing order; a
    // wrong hint costs a comparison.
    _nodeMap.emplace_hint(_nodeMap.end(), node->getId(), sceneNode);
    _scene.getNodes().insert(sceneNode);
    if (_incremental) _entered.push_back(sceneNode);
    if (!group.isNull()) group->addMember(sceneNode);
    for (int tag = 0; tag < UiCompositionClient::getNbContextPoints(); ++tag) {
        RCStrongPtr<PiNode> marked = _composition.getContextPoint(tag);
        if (!marked.isNull() && marked->getId() == node->getId()) sceneNode->setContextPoint(tag, true);
    }
    _nodeCallbacks.emplace(node->getId(), PiSchematicInterfaceEx::addRefreshRequestCb(*node, _refresh));
    if (PiImageModifier::isImageModifier(*node))
        _nodeCallbacks.emplace(node->getId(), PiNodeController(node).addCallback(
                                                  PiNodeEvent::ConversionChanged,
                                                  makeRC<CbMethod<SvSceneBuilder, const RCStrongPtr<PiInput>&>>(
                                                      this, &SvSceneBuilder::conversionChangedCb)));
    return sceneNode;
}

// The box of the visual group of the level the node lies in, made when missing; null for other nodes
// (a visual group whose inside is shown is the level, not a box).
RCShdPtr<ScGroup> SvSceneBuilder::findVisualGroup(const PiNode& node) {
    PiGroupNode* enclosing = node.getGroupPtr();
    if (!enclosing || !isBoxInLevel(*enclosing)) return {};
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
            record.converted = mustConvert(*input, value);
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
    RCStrongPtr<PiOutput> output = resolveThroughBoxes(input.getOutput());
    if (!output.isNull() && PiNodeUtils::getCollapseNode(*output) == target.getProcessingNode())
        output = findChainSource(output);
    if (output.isNull()) return {};
    RCStrongPtr<PiNode> sourceNode = PiNodeUtils::getCollapseNode(*output);
    const bool collapsed = !sourceNode.isNull();
    if (!collapsed) sourceNode = output->getNode();
    if (sourceNode.isNull() || !isShown(*sourceNode) || !isInLevel(*sourceNode)) return {};
    // A chain folded into a node without outputs has nothing to show a link from, a group feeding its
    // own socket shows no link to itself, and a box is never a node: what its socket passes on inside
    // is not fed.
    if ((collapsed && sourceNode->getNbOutputs() == 0) || sourceNode == target.getProcessingNode() ||
        isBoxInLevel(*sourceNode))
        return {};
    return {output, sourceNode, collapsed};
}

void SvSceneBuilder::addEdge(const RCStrongPtr<ScNode>& target, const InputLink& link, const LinkSource& from) {
    RCStrongPtr<ScNode> source = findNode(*from.node);
    if (source.isNull()) return;
    const int sourceTab = from.collapsed ? 0 : from.output->getIndex();
    ZV_ASSERT(sourceTab < static_cast<int>(source->getOutputs().size()));
    ZV_ASSERT(link.tab < static_cast<int>(target->getInputs().size()));
    const int key = ++_nextEdgeKey;
    const int sourceFan = findSourceFan(*from.output, *link.input);
    RCStrongPtr<SvModelEdge> edge(
        new SvModelEdge(source, sourceTab, sourceFan, target, link.tab, link.fan, key, from.output, link.input));
    // Keys only grow, so the end is where each one goes.
    _edgeMap.emplace_hint(_edgeMap.end(), key, edge);
    _edgeKeyByInput.emplace(link.input.get(), key);
    _scene.getEdges().insert(RCShdPtr<ScEdge>(edge));
}

} // namespace Zv
