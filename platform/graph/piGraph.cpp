#include "platform/graph/piGraph.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/omComponentsHint.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piGroupUtils.h"
#include "platform/graph/piImageFileInfo.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piPath.h"
#include "platform/graph/piTool.h"
#include "platform/graph/piToolRegistry.h"
#include "platform/graph/snSelection.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace Zv {
namespace {

// One recorded edit: its do and undo steps.
template <class Do, class Undo>
class EditCmd : public CmCommand {
public:
    EditCmd(const char* name, Do doStep, Undo undoStep)
        : _name(name), _do(std::move(doStep)), _undo(std::move(undoStep)) {}
    LiString getName() const override { return _name; }
    void doIt() override { _do(); }
    void undoIt() override { _undo(); }

private:
    const char* _name;
    Do _do;
    Undo _undo;
};

// Runs a change and keeps it for undo, and for the rollback of a failing scope.
template <class Do, class Undo>
void perform(PiGraph& graph, const char* name, Do doStep, Undo undoStep) {
    if (graph.isBeingFilled()) {
        doStep();
        return;
    }
    PiEditScope scope(name, true);
    PiEditScope::touch(graph);
    if (!PiEditScope::isLogging()) {
        doStep();
        PiEditScope::keepUndoStep(std::move(undoStep));
        return;
    }
    auto command = makeRC<EditCmd<Do, Undo>>(name, std::move(doStep), std::move(undoStep));
    command->doIt();
    PiEditScope::record(graph.getCommandStack(), std::move(command));
}

bool isImageType(int typeIndex) {
    return typeIndex >= PiSocketDesc::Image;
}

std::string describe(const PiSocket& socket) {
    return socket.getNodePtr()->getName().str() + "." + socket.getName().str();
}

// Dependencies run between plain nodes and boundary nodes: a group's output is produced by its
// output boundary node, a group's input is consumed by its input boundary node.
PiNode* producerOf(const PiOutput& output) {
    PiNode* node = output.getNodePtr();
    if (auto* group = dynamic_cast<PiGroupNode*>(node)) return group->getBoundaryNode(output).get();
    return node;
}

PiNode* consumerOf(const PiInput& input) {
    const PiInput& top = input.getTopInput();
    PiNode* node = top.getNodePtr();
    if (auto* group = dynamic_cast<PiGroupNode*>(node)) return group->getBoundaryNode(top).get();
    return node;
}

template <class Visit>
void forEachInput(const PiNode& node, Visit visit) {
    for (const auto& input : node.getInputs()) {
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get()))
            for (const auto& value : multi->getValues()) visit(*value);
        else visit(*input);
    }
}

// The outputs a dependency vertex reads.
template <class Visit>
void forEachSource(const PiNode& node, Visit visit) {
    auto visitInput = [&](const PiInput& input) {
        if (input.isConnected()) visit(*input.getOutput());
    };
    auto* boundary = dynamic_cast<const PiBoundaryNode*>(&node);
    if (boundary && !boundary->isOutputNode()) visitInput(static_cast<const PiInput&>(*boundary->getGroupSocket()));
    else forEachInput(node, visitInput);
}

// Every node below a group, each group before its members.
std::vector<PiNode*> collectTree(PiGroupNode& group) {
    std::vector<PiNode*> nodes;
    PiGroupUtils::walkTree(
        group,
        [&](PiNode& node) {
            if (&node != &group) nodes.push_back(&node);
            return true;
        },
        [](PiNode&) {});
    return nodes;
}

void refuseTakenSocketName(const PiGroupNode& group, const LiString& name, bool isOutput) {
    if (group.hasSocketNamed(name, isOutput))
        throw OmGraphEx(__FILE__, __LINE__,
                        "group " + group.getName().str() + " already has an " + (isOutput ? "output" : "input") +
                            " named \"" + name.str() + "\"");
}

// Searched from the back: undo takes out what was added last.
template <class T>
int indexIn(const std::vector<T>& items, const void* item) {
    auto found = std::find_if(items.rbegin(), items.rend(), [item](const auto& i) { return &*i == item; });
    ZV_ASSERT(found != items.rend());
    return static_cast<int>(items.rend() - found) - 1;
}

} // namespace

RCStrongPtr<PiGraph> PiGraph::create(const LiString& name) {
    PiAppThread::claim();
    return RCStrongPtr<PiGraph>(new PiGraph(name));
}

PiGraph::PiGraph(const LiString& name)
    : _name(name), _uuid(Uuid::generate()),
      _root(new PiGroupNode(this, 0, PiToolRegistry::getInstance().find("Group").get(), "Root")),
      _selection(SnSelection::create()) {
    _root->_live = true;
}

PiGraph::~PiGraph() = default;

RCStrongPtr<PiNode> PiGraph::findNode(int id) const {
    auto found = _nodesById.find(id);
    return found == _nodesById.end() ? RCStrongPtr<PiNode>() : RCStrongPtr<PiNode>(found->second);
}

template <class H, class... Args>
void PiGraph::hint(Args&&... args) {
    if (_observers.getNbObservers() > 0) PiEditScope::addHint(*this, makeRC<H>(std::forward<Args>(args)...));
}

void PiGraph::deliverHints(const ObHints& batch) {
    if (!batch.isEmpty()) _observers.notify(batch);
}

int PiGraph::takeId(int id) {
    if (id == 0) id = _nextId;
    if (id < 0 || _nodesById.count(id))
        throw ExBadInput(__FILE__, __LINE__, "node id " + std::to_string(id) + " is already taken");
    _nextId = std::max(_nextId, id + 1);
    return id;
}

// --- Nodes ---

RCStrongPtr<PiNode> PiGraph::createNode(const LiString& toolName, const RCStrongPtr<PiGroupNode>& group,
                                        const LiString& name, int id) {
    ZV_ASSERT(group->getGraph() == this && group->isLive());
    RCStrongPtr<PiTool> tool = PiToolRegistry::getInstance().find(toolName);
    if (tool.isNull() || tool->getKind() == PiTool::Boundary)
        throw ExBadInput(__FILE__, __LINE__, "unknown tool: " + toolName.str());
    int nodeId = takeId(id);
    LiString nodeName = name.isEmpty() ? toolName + LiStringUtil::convertNb(nodeId) : name;
    RCStrongPtr<PiNode> node;
    if (tool->getKind() == PiTool::Group) {
        node = RCStrongPtr<PiNode>(new PiGroupNode(this, nodeId, tool.get(), nodeName));
    } else {
        node = RCStrongPtr<PiNode>(new PiNode(this, nodeId, tool.get(), nodeName));
        node->addToolSockets();
    }
    int index = group->getNbMembers();
    perform(
        *this, "Add Node", [this, node, group, index] { insertNode(node, *group, index); },
        [this, node] { detachNode(node); });
    return node;
}

void PiGraph::removeNode(const RCStrongPtr<PiNode>& node) {
    ZV_ASSERT(node->isLive() && node->getGraph() == this && node != _root);
    if (auto* boundary = dynamic_cast<PiBoundaryNode*>(node.get())) {
        removeGroupSocket(boundary->getGroupSocket());
        return;
    }
    PiEditScope scope("Remove Node", true);
    disconnectAll(*node);
    RCStrongPtr<PiGroupNode> group = node->getGroup();
    int index = indexIn(group->_members, node.get());
    perform(
        *this, "Remove Node", [this, node] { detachNode(node); },
        [this, node, group, index] { insertNode(node, *group, index); });
}

void PiGraph::renameNode(const RCStrongPtr<PiNode>& node, const LiString& name) {
    if (auto* boundary = dynamic_cast<PiBoundaryNode*>(node.get())) {
        renameGroupSocket(boundary->getGroupSocket(), name);
        return;
    }
    LiString former = node->getName();
    if (former == name) return;
    auto write = [this, node](const LiString& text) {
        node->_name = text;
        hint<OmGraphHint::NodeNameChanged>(node);
    };
    perform(
        *this, "Rename", [write, name] { write(name); }, [write, former] { write(former); });
}

void PiGraph::moveNode(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiGroupNode>& group) {
    ZV_ASSERT(node->isLive() && group->isLive() && node != _root);
    ZV_ASSERT(dynamic_cast<PiBoundaryNode*>(node.get()) == nullptr);
    if (node->_group == group.get()) return;
    for (PiNode* holder = group.get(); holder; holder = holder->_group)
        if (holder == node.get())
            throw OmGraphEx(__FILE__, __LINE__, "group " + node->getName().str() + " cannot hold itself");
    PiEditScope scope("Move Node", true);
    disconnectAll(*node);
    RCStrongPtr<PiGroupNode> from = node->getGroup();
    int fromIndex = indexIn(from->_members, node.get());
    perform(
        *this, "Move Node", [this, node, group] { relocate(node, *group, group->getNbMembers()); },
        [this, node, from, fromIndex] { relocate(node, *from, fromIndex); });
}

void PiGraph::disconnectAll(const PiNode& node) {
    std::vector<RCStrongPtr<PiInput>> inputs;
    forEachInput(node, [&](PiInput& input) {
        if (input.isConnected()) inputs.emplace_back(&input);
    });
    for (const auto& output : node.getOutputs())
        for (PiInput* target : output->getConnections()) inputs.emplace_back(target);
    for (const auto& input : inputs) disconnect(input);
}

void PiGraph::insertNode(const RCStrongPtr<PiNode>& node, PiGroupNode& group, int index) {
    group._members.insert(group._members.begin() + index, node);
    node->_group = &group;
    registerTree(*node, true);
}

int PiGraph::detachNode(const RCStrongPtr<PiNode>& node) {
    PiGroupNode& group = *node->_group;
    int index = indexIn(group._members, node.get());
    RCStrongPtr<PiNode> keep = node;
    group._members.erase(group._members.begin() + index);
    registerTree(*node, false);
    node->_group = nullptr;
    invalidatePaths(*node);
    return index;
}

// Enters a node and its members into the identity map, groups before their members, or takes them
// out, members first, with their hints.
void PiGraph::registerTree(PiNode& top, bool live) {
    auto enter = [this, live](PiNode& node) {
        node._live = live;
        if (live) {
            _nodesById.emplace(node._id, &node);
            hint<OmGraphHint::NodeAdded>(RCStrongPtr<PiNode>(&node));
        }
        return true;
    };
    auto leave = [this, live](PiNode& node) {
        if (live) return;
        _nodesById.erase(node._id);
        hint<OmGraphHint::NodeRemoved>(RCStrongPtr<PiNode>(&node));
    };
    PiGroupUtils::walkTree(top, enter, leave);
}

void PiGraph::relocate(const RCStrongPtr<PiNode>& node, PiGroupNode& group, int index) {
    RCStrongPtr<PiGroupNode> former = node->getGroup();
    former->_members.erase(former->_members.begin() + indexIn(former->_members, node.get()));
    group._members.insert(group._members.begin() + index, node);
    node->_group = &group;
    invalidatePaths(*node);
    hint<OmGraphHint::NodeMoved>(node, former);
}

// --- Connections ---

bool PiGraph::wouldCycle(const PiOutput& output, const PiInput& input) const {
    const PiNode* target = consumerOf(input);
    std::vector<const PiNode*> pending{producerOf(output)};
    std::unordered_set<const PiNode*> seen(pending.begin(), pending.end());
    while (!pending.empty()) {
        const PiNode* node = pending.back();
        pending.pop_back();
        if (node == target) return true;
        forEachSource(*node, [&](const PiOutput& source) {
            const PiNode* producer = producerOf(source);
            if (seen.insert(producer).second) pending.push_back(producer);
        });
    }
    return false;
}

RCStrongPtr<PiInput> PiGraph::connect(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) {
    if (!output->isLive() || !input->isLive())
        throw OmGraphEx(__FILE__, __LINE__, "cannot connect a socket of a removed node");
    const PiNode& source = *output->getNodePtr();
    const PiNode& target = *input->getTopInput().getNodePtr();
    ZV_ASSERT(source._graph == this && target._graph == this);
    if (source._group != target._group)
        throw OmGraphEx(__FILE__, __LINE__,
                        "cannot connect " + describe(*output) + " to " + describe(*input) + ": different groups");
    if (isImageType(output->getSocketTypeIndex()) != isImageType(input->getSocketTypeIndex()))
        throw OmGraphEx(__FILE__, __LINE__,
                        "cannot connect " + describe(*output) + " to " + describe(*input) + ": different kinds");
    if (input->getOutput() == output) return input;
    if (wouldCycle(*output, *input))
        throw OmGraphEx::ExCycle(__FILE__, __LINE__,
                                 "connecting " + describe(*output) + " to " + describe(*input) + " makes a cycle");
    return attach(output, input);
}

RCStrongPtr<PiInput> PiGraph::attach(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) {
    PiEditScope scope("Connect", true);
    RCStrongPtr<PiInput> fed = input;
    if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get())) {
        RCStrongPtr<PiMultivaluedInput> owner(multi);
        int index = multi->getNbValues();
        fed = makeRC<PiInput>(multi->getNodePtr(), &multi->getDesc(), index, multi);
        perform(
            *this, "Add Value", [this, owner, fed, index] { insertValue(*owner, fed, index); },
            [this, owner, index] { eraseValue(*owner, index); });
    } else {
        cut(input);
    }
    int place = output->getNbConnections();
    perform(
        *this, "Connect", [this, output, fed, place] { link(*output, *fed, place); }, [this, fed] { unlink(*fed); });
    return fed;
}

void PiGraph::cut(const RCStrongPtr<PiInput>& input) {
    if (!input->isConnected()) return;
    RCStrongPtr<PiOutput> former = input->getOutput();
    int place = indexIn(former->_targets, input.get());
    perform(
        *this, "Disconnect", [this, input] { unlink(*input); },
        [this, former, input, place] { link(*former, *input, place); });
}

void PiGraph::disconnect(const RCStrongPtr<PiInput>& input) {
    PiEditScope scope("Disconnect", true);
    if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get())) {
        while (multi->getNbValues() > 0) disconnect(multi->_values.back());
        return;
    }
    cut(input);
    if (RCStrongPtr<PiMultivaluedInput> owner = input->getParent()) {
        int index = input->getIndex();
        perform(
            *this, "Remove Value", [this, owner, index] { eraseValue(*owner, index); },
            [this, owner, input, index] { insertValue(*owner, input, index); });
    }
}

// Only the sockets from the changed place on move, so appending costs the same at any length.
template <class T>
void PiGraph::renumber(std::vector<RCStrongPtr<T>>& sockets, int from) {
    for (size_t i = from; i < sockets.size(); ++i) sockets[i]->_index = static_cast<int>(i);
}

void PiGraph::link(PiOutput& output, PiInput& input, int place) {
    input._source = &output;
    output._targets.insert(output._targets.begin() + place, &input);
    hint<OmGraphHint::SocketConnected>(RCStrongPtr<PiOutput>(&output), RCStrongPtr<PiInput>(&input));
    inputChanged(input);
}

void PiGraph::unlink(PiInput& input) {
    PiOutput* output = input._source;
    output->_targets.erase(output->_targets.begin() + indexIn(output->_targets, &input));
    input._source = nullptr;
    hint<OmGraphHint::SocketDisconnected>(RCStrongPtr<PiOutput>(output), RCStrongPtr<PiInput>(&input));
    inputChanged(input);
}

void PiGraph::insertValue(PiMultivaluedInput& multi, const RCStrongPtr<PiInput>& value, int index) {
    multi._values.insert(multi._values.begin() + index, value);
    value->_attached = true;
    renumber(multi._values, index);
    hint<OmGraphHint::InputAddedToComposite>(value);
}

void PiGraph::eraseValue(PiMultivaluedInput& multi, int index) {
    RCStrongPtr<PiInput> value = multi._values[index];
    multi._values.erase(multi._values.begin() + index);
    value->_attached = false;
    renumber(multi._values, index);
    hint<OmGraphHint::InputRemoved>(value);
}

// Secondary inputs of image modifiers may need their image converted; their watchers are told.
void PiGraph::inputChanged(PiInput& input) {
    const PiInput& top = input.getTopInput();
    PiNode* node = top.getNodePtr();
    if (node->getToolRef().getKind() != PiTool::Modifier || (top.getIndex() == 0 && input.getIndex() == 0)) return;
    if (auto found = _conversionCallbacks.find(node->getId()); found != _conversionCallbacks.end())
        found->second.call(RCStrongPtr<PiInput>(&input));
}

// --- Values ---

void PiGraph::setValue(const RCStrongPtr<PiNode>& node, PiValueKind kind, const LiString& key,
                       const PiValueData& data) {
    if (std::string fault = PiValue::findFault(kind, key, node->getToolRef().getKind(), data); !fault.empty())
        throw OmGraphEx(__FILE__, __LINE__, node->getName().str() + ": " + fault);
    PiValueData former = node->getValue(kind, key);
    if (former == data || (!former.isSet && !data.isSet)) return;
    int place = node->getKeyPlace(kind, key);
    perform(
        *this, "Change Value", [this, node, kind, key, data, place] { writeValue(node, kind, key, data, place); },
        [this, node, kind, key, former, place] { writeValue(node, kind, key, former, place); });
}

void PiGraph::writeValue(const RCStrongPtr<PiNode>& node, PiValueKind kind, const LiString& key,
                         const PiValueData& data, int place) {
    node->setValue(kind, key, data, place);
    if (_observers.getNbObservers() > 0)
        hint<OmGraphHint::ValueChanged>(makeRC<PiValue>(node, kind, PiValue::getKindName(kind, key), data));
    if (kind == PiValueKind::KeyframeMark) PiKeyframingUtil::notifyMarkingChanged(node);
    if (node->getToolRef().getKind() == PiTool::Link) hint<OmComponentsHint::LinkChanged>(node);
}

void PiGraph::setAnchors(const RCStrongPtr<PiNode>& node, const std::vector<PiNodeAnchor>& anchors) {
    std::vector<PiNodeAnchor> former = node->getAnchors();
    if (former == anchors) return;
    auto write = [this, node](const std::vector<PiNodeAnchor>& list) {
        node->setAnchors(list);
        if (_observers.getNbObservers() > 0)
            hint<OmGraphHint::ValueChanged>(makeRC<PiValue>(node, PiValueKind::Anchors, "Anchors", PiValueData()));
    };
    perform(
        *this, "Anchors", [write, anchors] { write(anchors); }, [write, former] { write(former); });
}

void PiGraph::setText(const RCStrongPtr<PiNode>& node, const LiString& key, const LiString& text) {
    LiString former = node->getText(key);
    if (former == text) return;
    int place = node->getKeyPlace(PiValueKind::Text, key);
    perform(
        *this, "Change Value", [this, node, key, text, place] { writeText(node, key, text, place); },
        [this, node, key, former, place] { writeText(node, key, former, place); });
}

void PiGraph::writeText(const RCStrongPtr<PiNode>& node, const LiString& key, const LiString& text, int place) {
    node->setText(key, text, place);
    if (_observers.getNbObservers() > 0)
        hint<OmGraphHint::ValueChanged>(makeRC<PiValue>(node, PiValueKind::Text, key, PiValueData()));
    const PiTool& tool = node->getToolRef();
    if (tool.getKind() == PiTool::Link) hint<OmComponentsHint::LinkChanged>(node);
    if (tool.getToolName() == "Read" && key == PiImageFileInfo::kFileKey) {
        LiString problem;
        node->_outputs.front()->_channels = static_cast<uint8_t>(PiImageFileInfo::readChannels(text, problem));
        requestRefresh(node, problem);
    }
}

// --- Group sockets ---

RCStrongPtr<PiSocket> PiGraph::addGroupSocket(const RCStrongPtr<PiGroupNode>& group, const LiString& name,
                                              bool isOutput, int boundaryId) {
    ZV_ASSERT(group->isLive() && group->getGraph() == this && group != _root);
    refuseTakenSocketName(*group, name, isOutput);
    int id = takeId(boundaryId);
    _groupSocketDescs.push_back({name, PiSocketDesc::Image, isOutput ? PiSocketDesc::RGBA : PiSocketDesc::Any, false});
    const PiSocketDesc* desc = &_groupSocketDescs.back();
    int index = isOutput ? group->getNbOutputs() : group->getNbInputs();
    RCStrongPtr<PiSocket> socket;
    if (isOutput) socket = makeRC<PiOutput>(group.get(), desc, index);
    else socket = makeRC<PiInput>(group.get(), desc, index);
    const char* toolName = isOutput ? PiToolRegistry::kGroupOutputTool : PiToolRegistry::kGroupInputTool;
    RCStrongPtr<PiBoundaryNode> boundary(
        new PiBoundaryNode(this, id, PiToolRegistry::getInstance().find(toolName).get(), socket));
    int memberIndex = group->getNbMembers();
    perform(
        *this, "Add Group Socket",
        [this, group, socket, boundary, memberIndex] { insertGroupSocket(*group, socket, boundary, memberIndex); },
        [this, group, socket] { eraseGroupSocket(*group, socket); });
    return socket;
}

void PiGraph::removeGroupSocket(const RCStrongPtr<PiSocket>& socket) {
    RCStrongPtr<PiGroupNode> group = rcCheckedCast<PiGroupNode>(socket->getNode());
    RCStrongPtr<PiBoundaryNode> boundary = group->getBoundaryNode(*socket);
    ZV_ASSERT(!boundary.isNull());
    PiEditScope scope("Remove Group Socket", true);
    if (auto* input = dynamic_cast<PiInput*>(socket.get())) {
        if (input->isConnected()) disconnect(RCStrongPtr<PiInput>(input));
    } else {
        std::vector<PiInput*> targets = static_cast<PiOutput&>(*socket).getConnections();
        for (PiInput* target : targets) disconnect(RCStrongPtr<PiInput>(target));
    }
    disconnectAll(*boundary);
    int memberIndex = indexIn(group->_members, boundary.get());
    perform(
        *this, "Remove Group Socket", [this, group, socket] { eraseGroupSocket(*group, socket); },
        [this, group, socket, boundary, memberIndex] { insertGroupSocket(*group, socket, boundary, memberIndex); });
}

void PiGraph::insertGroupSocket(PiGroupNode& group, const RCStrongPtr<PiSocket>& socket,
                                const RCStrongPtr<PiBoundaryNode>& boundary, int memberIndex) {
    int index = socket->getIndex();
    if (auto* input = dynamic_cast<PiInput*>(socket.get())) {
        group._inputs.insert(group._inputs.begin() + index, RCStrongPtr<PiInput>(input));
        group._inputBoundaries.insert(group._inputBoundaries.begin() + index, boundary);
        renumber(group._inputs, index);
    } else {
        group._outputs.insert(group._outputs.begin() + index,
                              RCStrongPtr<PiOutput>(static_cast<PiOutput*>(socket.get())));
        group._outputBoundaries.insert(group._outputBoundaries.begin() + index, boundary);
        renumber(group._outputs, index);
    }
    socket->_attached = true;
    insertNode(boundary, group, memberIndex);
    if (socket->isInput()) hint<OmGraphHint::DynamicInputAdded>(socket);
    else hint<OmGraphHint::DynamicOutputAdded>(socket);
}

void PiGraph::eraseGroupSocket(PiGroupNode& group, const RCStrongPtr<PiSocket>& socket) {
    int index = socket->getIndex();
    if (socket->isInput()) {
        detachNode(group._inputBoundaries[index]);
        group._inputs.erase(group._inputs.begin() + index);
        group._inputBoundaries.erase(group._inputBoundaries.begin() + index);
        renumber(group._inputs, index);
    } else {
        detachNode(group._outputBoundaries[index]);
        group._outputs.erase(group._outputs.begin() + index);
        group._outputBoundaries.erase(group._outputBoundaries.begin() + index);
        renumber(group._outputs, index);
    }
    // The socket keeps its index: undo puts it back there.
    socket->_attached = false;
    if (socket->isInput()) hint<OmGraphHint::InputRemoved>(socket);
    else hint<OmGraphHint::OutputRemoved>(socket);
}

void PiGraph::renameGroupSocket(const RCStrongPtr<PiSocket>& socket, const LiString& name) {
    LiString former = socket->getName();
    if (former == name) return;
    refuseTakenSocketName(*rcCheckedCast<PiGroupNode>(socket->getNode()), name, !socket->isInput());
    perform(
        *this, "Rename", [this, socket, name] { writeSocketName(socket, name); },
        [this, socket, former] { writeSocketName(socket, former); });
}

void PiGraph::writeSocketName(const RCStrongPtr<PiSocket>& socket, const LiString& name) {
    // Group socket descriptions belong to this graph.
    const_cast<PiSocketDesc&>(socket->getDesc()).name = name;
    RCStrongPtr<PiGroupNode> group = rcCheckedCast<PiGroupNode>(socket->getNode());
    RCStrongPtr<PiNode> boundary = group->getBoundaryNode(*socket);
    boundary->_name = name;
    if (socket->isInput()) hint<OmGraphHint::DynamicInputRenamed>(socket);
    else hint<OmGraphHint::DynamicOutputRenamed>(socket);
    hint<OmGraphHint::NodeNameChanged>(boundary);
}

void PiGraph::notifyOutputChanged(const RCStrongPtr<PiOutput>& output) {
    PiEditScope scope({}, false);
    hint<OmGraphHint::OutputChanged>(output);
}

// --- Whole content ---

void PiGraph::takeContent(PiGraph& other) {
    ZV_ASSERT(&other != this && other._observers.getNbObservers() == 0);
    PiEditScope scope("Load", false);
    const std::vector<PiNode*> former = collectTree(*_root);
    const std::vector<PiNode*> taken = collectTree(*other._root);
    for (PiNode* node : former) hint<OmGraphHint::NodeRemoved>(RCStrongPtr<PiNode>(node));
    for (PiNode* node : taken) hint<OmGraphHint::NodeAdded>(RCStrongPtr<PiNode>(node));
    // The swap neither allocates nor throws: the graph has either its old content or the new.
    for (PiNode* node : former) node->_live = false;
    for (const auto& member : _root->_members) member->_group = nullptr;
    // The former members stay alive until the swap is done, so none dies half-way through it.
    std::vector<RCStrongPtr<PiNode>> dropped = std::exchange(_root->_members, std::move(other._root->_members));
    other._root->_members.clear();
    for (const auto& member : _root->_members) member->_group = _root.get();
    for (PiNode* node : taken) node->_graph = this;
    _nodesById.swap(other._nodesById);
    other._nodesById.clear();
    _nextId = other._nextId;
    _groupSocketDescs.splice(_groupSocketDescs.end(), other._groupSocketDescs);
    std::swap(_name, other._name);
    _uuid = other._uuid;
    _currentNode.reset();
    // Every path ran through the former content.
    std::vector<RCWeakPtr<PiPath>> paths = std::exchange(_paths, {});
    for (const auto& weak : paths)
        if (RCStrongPtr<PiPath> path = weak.lock()) path->invalidate();
}

// --- Callbacks and paths ---

CbRegistration PiGraph::addRefreshRequestCb(const PiNode& node, RCStrongPtr<RefreshHandler> handler) {
    const int nodeId = node.getId(), id = ++_refreshHandlers->lastId;
    _refreshHandlers->byNode.emplace(nodeId, RefreshHandlers::Entry{id, std::move(handler)});
    return CbRegistration([weak = std::weak_ptr<RefreshHandlers>(_refreshHandlers), nodeId, id] {
        const std::shared_ptr<RefreshHandlers> handlers = weak.lock();
        if (!handlers) return;
        const auto [first, last] = handlers->byNode.equal_range(nodeId);
        const auto found = std::find_if(first, last, [id](const auto& entry) { return entry.second.id == id; });
        if (found != last) handlers->byNode.erase(found);
    });
}

// In registration order; a handler released by an earlier one is not called.
void PiGraph::requestRefresh(const RCStrongPtr<PiNode>& node, const LiString& message) {
    const std::shared_ptr<RefreshHandlers> handlers = _refreshHandlers;
    const auto [first, last] = handlers->byNode.equal_range(node->getId());
    std::vector<RefreshHandlers::Entry> called;
    for (auto it = first; it != last; ++it) called.push_back(it->second);
    std::sort(called.begin(), called.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    for (const RefreshHandlers::Entry& entry : called) {
        const auto [from, to] = handlers->byNode.equal_range(node->getId());
        if (std::any_of(from, to, [&entry](const auto& kept) { return kept.second.id == entry.id; }))
            entry.handler->call({node, message});
    }
}

CbRegistration PiGraph::addConversionCb(const PiNode& node, RCStrongPtr<InputHandler> handler) {
    return _conversionCallbacks[node.getId()].add(std::move(handler));
}

void PiGraph::trackPath(const RCStrongPtr<PiPath>& path) {
    _paths.emplace_back(path);
}

void PiGraph::invalidatePaths(const PiNode& node) {
    std::vector<RCStrongPtr<PiPath>> hit;
    std::erase_if(_paths, [&](const RCWeakPtr<PiPath>& weak) {
        RCStrongPtr<PiPath> path = weak.lock();
        if (path.isNull()) return true;
        if (!path->contains(node)) return false;
        hit.push_back(path);
        return true;
    });
    for (const auto& path : hit) path->invalidate();
}

} // namespace Zv
