#include "views/schematic/src/svHintApplier.h"

#include "views/schematic/src/svDisplayInterface.h"
#include "views/schematic/src/svSceneBuilder.h"

#include "platform/base/obHints.h"
#include "platform/graph/omComponentsHint.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"

namespace Zv {
namespace {

// A removed socket has left its node already; it counts while the node lives. A value of a
// multi-valued input leaves with its link, which the connection changes take care of.
bool isRemovedFromLiveNode(const PiSocket& socket) {
    if (auto* input = dynamic_cast<const PiInput*>(&socket); input && !input->getParent().isNull()) return false;
    return socket.getNodePtr() && socket.getNodePtr()->isLive();
}

} // namespace

SvHintApplier::SvHintApplier(SvSceneBuilder& builder, SvDisplayInterface& display)
    : _builder(builder), _display(display) {}

// Hints are read in order; the node and connection changes they gather are applied at the end.
SvHintApplier::Outcome SvHintApplier::apply(const ObHints& hints, bool storingPositions, bool wholeLevel) {
    Batch batch;
    Outcome outcome;
    for (const auto& hint : hints.getContainer()) {
        if (auto* changed = dynamic_cast<const OmGraphHint::ValueChanged*>(hint.get())) {
            if (!batch.fullRefresh && !storingPositions && changed->getValue()->isLive())
                readValue(*changed->getValue(), batch);
        } else if (dynamic_cast<const OmGraphHint::OutputChanged*>(hint.get())) {
            // Only thumbnails follow results, and none is requested yet.
        } else if (auto* graphHint = dynamic_cast<const OmGraphHint*>(hint.get())) {
            if (!batch.fullRefresh) readGraphHint(*graphHint, batch);
        } else if (dynamic_cast<const OmComponentsHint::LinkChanged*>(hint.get())) {
            batch.fullRefresh = true;
        }
    }
    const bool pieces = !batch.nodes.empty() || !batch.connections.empty();
    // One node shown with its sources is a picture only a rebuild keeps right.
    outcome.rebuild = batch.fullRefresh || (pieces && !wholeLevel);
    if (outcome.rebuild) return outcome;
    if (!batch.nodes.empty()) applyNodeChanges(batch);
    if (!batch.connections.empty()) applyConnectionChanges(batch);
    outcome.changed = pieces;
    outcome.entered = _builder.takeEntered();
    outcome.nodesChanged = !batch.nodes.empty() || !outcome.entered.empty();
    return outcome;
}

void SvHintApplier::readValue(const PiValue& value, Batch& batch) {
    const RCStrongPtr<PiNode>& node = value.getNode();
    const RCStrongPtr<ScNode> sceneNode = _builder.findNode(*node);
    if (PiSchematicInterfaceEx::isPositionValue(value)) {
        if (_display.isAutoCleanup()) return;
        if (sceneNode) moveToStoredPosition(*sceneNode, *node);
        refitBox(_builder.findGroup(node->getId()));
    } else if (PiSchematicInterfaceEx::isThumbnailValue(value)) {
        // No state, as after undoing the first one, shows none.
        if (bool shown = false; sceneNode) {
            PiSchematicInterfaceEx::isThumbnailStateSet(*node, shown);
            _display.redrawNode(*sceneNode);
            sceneNode->setThumbnailShown(shown);
            _display.redrawNode(*sceneNode);
            refitBox(findBoxOf(*node));
        }
    } else if (value.getKind() == PiValueKind::Mute) {
        // The strip reads the muted state as it draws.
        if (sceneNode) _display.redrawNode(*sceneNode);
    } else if (PiSchematicInterfaceEx::isVisualGroupValue(value)) {
        batch.nodes.emplace(node->getId(), node);
    } else if (PiSchematicInterfaceEx::isVisualGroupLockValue(value)) {
        if (RCShdPtr<ScGroup> group = _builder.findGroup(node->getId())) {
            group->setLockState(PiSchematicInterfaceEx::getVisualGroupLockMode(*node));
            _display.redrawArea(group->getBounds());
        }
    } else if (PiSchematicInterfaceEx::isNodeColorValue(value)) {
        showColor(*node, sceneNode);
    } else if (value.getName() == PiNodeUtils::C_VALUE) {
        batch.nodes.emplace(node->getId(), node);
    }
}

// A visual group's box and a plain node both show the colour; without one the box takes its default.
void SvHintApplier::showColor(const PiNode& node, const RCStrongPtr<ScNode>& sceneNode) {
    _builder.showNodeColor(node);
    if (RCShdPtr<ScGroup> group = _builder.findGroup(node.getId())) _display.redrawArea(group->getBounds());
    if (sceneNode) _display.redrawNode(*sceneNode);
}

void SvHintApplier::moveToStoredPosition(ScNode& sceneNode, const PiNode& node) {
    GePoint2<float> stored;
    if (!PiSchematicInterfaceEx::getXYPosition(node, stored.x, stored.y) || stored == sceneNode.getPosition()) return;
    _display.redrawNode(sceneNode);
    sceneNode.setPosition(stored);
    _display.redrawNode(sceneNode);
    refitBox(findBoxOf(node));
}

// A box follows its members, or without members the group's own position.
void SvHintApplier::refitBox(const RCShdPtr<ScGroup>& box) {
    if (box.isNull()) return;
    _display.redrawArea(box->getBounds());
    box->updateBounds();
    _display.redrawArea(box->getBounds());
}

RCShdPtr<ScGroup> SvHintApplier::findBoxOf(const PiNode& node) const {
    const PiGroupNode* enclosing = node.getGroupPtr();
    return enclosing ? _builder.findGroup(enclosing->getId()) : RCShdPtr<ScGroup>();
}

void SvHintApplier::readGraphHint(const OmGraphHint& hint, Batch& batch) {
    const PiSocket* noted = nullptr;
    if (auto* renamed = dynamic_cast<const OmGraphHint::NodeNameChanged*>(&hint)) {
        rename(*renamed->getNode());
    } else if (auto* moved = dynamic_cast<const OmGraphHint::NodeMoved*>(&hint)) {
        batch.nodes.emplace(moved->getNode()->getId(), moved->getNode());
    } else if (auto* nodeHint = dynamic_cast<const OmGraphHint::NodeHint*>(&hint)) {
        batch.nodes.emplace(nodeHint->getNode()->getId(), nodeHint->getNode());
    } else if (dynamic_cast<const OmGraphHint::InputRemoved*>(&hint) ||
               dynamic_cast<const OmGraphHint::OutputRemoved*>(&hint)) {
        const PiSocket& socket = *static_cast<const OmGraphHint::SocketHint&>(hint).getSocket();
        if (isRemovedFromLiveNode(socket) && isInScene(*socket.getNodePtr())) batch.fullRefresh = true;
    } else if (auto* link = dynamic_cast<const OmGraphHint::LinkHint*>(&hint)) {
        batch.connections.emplace_back(link->getOutput(), link->getInput());
    } else if (auto* socketHint = dynamic_cast<const OmGraphHint::SocketHint*>(&hint)) {
        noted = socketHint->getSocket().get();
    } else {
        batch.fullRefresh = true;
    }
    // A socket added or renamed changes the tabs of a shown node, so the whole scene is built again.
    if (noted && noted->isLive() && !_builder.isFiltered(noted->getSocketTypeIndex()) &&
        isInScene(*noted->getNodePtr()))
        batch.fullRefresh = true;
}

// The size does not depend on the name; a boundary node's tab shows its socket's name.
void SvHintApplier::rename(const PiNode& node) {
    const RCStrongPtr<ScNode> sceneNode = _builder.findNode(node);
    if (sceneNode.isNull()) return;
    _display.redrawNode(*sceneNode);
    sceneNode->setName(SvSceneBuilder::getShownName(node));
    if (dynamic_cast<const PiBoundaryNode*>(&node)) _builder.remakeInputs({sceneNode}, {});
    _display.redrawNode(*sceneNode);
}

bool SvHintApplier::isInScene(const PiNode& node) const {
    return !_builder.findNode(node).isNull() || !_builder.findGroup(node.getId()).isNull();
}

// Removals first, then what stays is brought up to date, then what arrives is built in one go.
void SvHintApplier::applyNodeChanges(const Batch& batch) {
    if (!_display.isViewShown()) {
        _builder.clear();
        return;
    }
    std::vector<RCStrongPtr<PiNode>> arriving;
    // A box that leaves takes its members along: those still shown (moved out of it) arrive again.
    for (const auto& [id, node] : batch.nodes) {
        const bool boxWanted = _builder.isBoxInLevel(*node), hasBox = !_builder.findGroup(id).isNull();
        if (hasBox && !boxWanted) _builder.removeGroup(id);
        else if (boxWanted && !hasBox) arriving.push_back(node);
    }
    std::set<int> leaving;
    std::vector<RCStrongPtr<ScNode>> staying;
    for (const auto& [id, node] : batch.nodes) {
        const RCStrongPtr<ScNode> sceneNode = _builder.findNode(*node);
        const bool wanted = _builder.isShownInLevel(*node);
        if (sceneNode && !wanted) leaving.insert(id);
        else if (sceneNode) staying.push_back(sceneNode);
        else if (wanted) arriving.push_back(node);
    }
    _builder.removeNodes(leaving);
    for (const auto& sceneNode : staying) _builder.updateMembership(sceneNode);
    // Marks of collapsed chains change where links come from, into the changed nodes and into what
    // they feed.
    std::map<int, RCStrongPtr<ScNode>> remade;
    for (const auto& sceneNode : staying) remade.emplace(sceneNode->getProcessingNode()->getId(), sceneNode);
    for (const auto& [id, node] : batch.nodes)
        if (node->isLive()) _builder.collectChainLinkTargets(*node, remade);
    std::vector<RCStrongPtr<ScNode>> nodes;
    for (const auto& [id, sceneNode] : remade)
        if (_builder.findNode(*sceneNode->getProcessingNode()) == sceneNode) nodes.push_back(sceneNode);
    _builder.remakeInputs(nodes, {});
    _builder.addNodes(arriving);
}

void SvHintApplier::applyConnectionChanges(const Batch& batch) {
    if (!_display.isViewShown()) {
        _builder.clear();
        return;
    }
    std::map<int, RCStrongPtr<ScNode>> touched;
    std::vector<const PiInput*> inputs;
    std::set<const PiOutput*> outputs;
    for (const auto& [output, input] : batch.connections) {
        RCStrongPtr<PiNode> producer = PiNodeUtils::getCollapseNode(*output);
        if (producer.isNull()) producer = output->getNode();
        if (RCStrongPtr<ScNode> sceneNode = producer ? _builder.findNode(*producer) : RCStrongPtr<ScNode>())
            touched.emplace(producer->getId(), sceneNode);
        _builder.collectLinkTargets(*input, touched);
        for (const PiNode* end : {output->getNodePtr(), input->getNodePtr()})
            if (PiNodeUtils::hasStoredValue(*end, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN))
                _builder.collectChainLinkTargets(*end, touched);
        inputs.push_back(input.get());
        outputs.insert(output.get());
    }
    std::vector<RCStrongPtr<ScNode>> nodes;
    for (const auto& [id, sceneNode] : touched) nodes.push_back(sceneNode);
    _builder.remakeInputs(nodes, inputs);
    _builder.renumberSourceFans(outputs);
}

} // namespace Zv
