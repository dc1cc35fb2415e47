#include "platform/graph/omCompositionActions.h"

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piIsPrimaryOutputNode.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/piUndoGuard.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace Zv {
namespace {

using Nodes = std::vector<RCStrongPtr<PiNode>>;

Nodes targetNodes(const OmCompositionActions::Item& item, const OmCompositionActions::Selection& selection) {
    Nodes nodes;
    auto take = [&](const SnItem* candidate) {
        auto* nodeItem = dynamic_cast<const PiSnItemConst<PiNode>*>(candidate);
        if (!nodeItem || !nodeItem->isValid()) return;
        RCStrongPtr<PiNode> node(const_cast<PiNode*>(nodeItem->get().get()));
        if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) nodes.push_back(node);
    };
    if (!selection.isNull())
        for (const auto& selected : *selection) take(selected.get());
    if (nodes.empty() && !item.isNull()) take(item.get());
    return nodes;
}

template <class Keep>
Nodes filtered(Nodes nodes, Keep keep) {
    std::erase_if(nodes, [&](const RCStrongPtr<PiNode>& node) { return !keep(*node); });
    return nodes;
}

// A connection by its ends, kept across edits that cut it.
struct Link {
    RCStrongPtr<PiOutput> output;
    RCStrongPtr<PiInput> input; // the top input: a multi-valued one gets a new value
};

// The connections into the nodes, node by node and input by input, a multi-valued input once per
// value: connecting them again in this order rebuilds every multi-valued input as it was.
std::vector<Link> findFedInputs(const Nodes& nodes) {
    std::vector<Link> fed;
    for (const auto& node : nodes)
        for (const auto& input : node->getInputs()) {
            if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get()))
                for (const auto& value : multi->getValues()) fed.push_back({value->getOutput(), input});
            else if (input->isConnected()) fed.push_back({input->getOutput(), input});
        }
    return fed;
}

// The nodes that may move between group and enclosing group: not boundary nodes, not the primary
// output, not the group itself, each once, all in from.
Nodes movableNodes(const Nodes& nodes, const PiGroupNode* from, const PiGroupNode& group) {
    Nodes movable;
    for (const auto& node : nodes)
        if (node->getGroupPtr() == from && node.get() != &group && !dynamic_cast<const PiBoundaryNode*>(node.get()) &&
            !PiIsPrimaryOutputNode::test(*node) && std::find(movable.begin(), movable.end(), node) == movable.end())
            movable.push_back(node);
    return movable;
}

// Nodes moving across a group's edge: the group sockets made for the connections that come to cross it
// (one per output, named after the first input or output it serves), the sockets the moved nodes'
// connections no longer pass through, and the links to make once the nodes have moved.
class GroupMove {
public:
    GroupMove(const Nodes& nodes, const RCStrongPtr<PiGroupNode>& group)
        : _graph(*group->getGraph()), _group(group), _nodes(nodes), _fed(findFedInputs(nodes)) {
        for (const auto& node : nodes) _moving.insert(node.get());
    }

    bool isMoving(const PiNode* node) const { return _moving.count(node) != 0; }
    // The connections into the moving nodes; their sources are made to hold once the nodes have moved.
    std::vector<Link>& getFed() { return _fed; }

    RCStrongPtr<PiSocket> getSocket(const RCStrongPtr<PiOutput>& output, const LiString& name, bool isOutput,
                                    bool& isNew) {
        RCStrongPtr<PiSocket>& socket = _sockets[output.get()];
        isNew = socket.isNull();
        if (isNew) socket = _graph.addGroupSocket(_group, _group->getUniqueSocketName(name, isOutput), isOutput);
        return socket;
    }
    // The boundary node's own socket: what a group input feeds inside, what feeds a group output.
    template <class Socket>
    RCStrongPtr<Socket> inner(const PiSocket& socket) const {
        return rcCheckedCast<Socket>(_group->getBoundaryNode(socket)->getInnerSocket());
    }
    // Calls visit(output, target) for each connection from a moving node to one that stays.
    template <class Visit>
    void forEachLeaving(Visit visit) const {
        for (const auto& node : _nodes)
            for (const auto& output : node->getOutputs()) {
                const std::vector<PiInput*> targets = output->getConnections();
                for (PiInput* target : targets)
                    if (!isMoving(target->getTopInput().getNodePtr())) visit(output, target);
            }
    }
    void bypass(const RCStrongPtr<PiSocket>& socket) { _bypassed.push_back(socket); }
    void linkAfter(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) {
        _after.push_back({output, input});
    }

    // Moves the nodes, makes the links, and removes the bypassed sockets left with nothing to carry.
    void finish(const RCStrongPtr<PiGroupNode>& to) {
        for (const auto& node : _nodes) _graph.moveNode(node, to);
        for (const Link& link : _fed)
            if (!link.output.isNull()) _graph.connect(link.output, link.input);
        for (const Link& link : _after) _graph.connect(link.output, link.input);
        for (const auto& socket : _bypassed) {
            if (!socket->isLive()) continue;
            const bool used = socket->isInput() ? inner<PiOutput>(*socket)->getNbConnections() > 0
                                                : static_cast<PiOutput&>(*socket).getNbConnections() > 0;
            if (!used) _graph.removeGroupSocket(socket);
        }
    }

private:
    PiGraph& _graph;
    RCStrongPtr<PiGroupNode> _group;
    Nodes _nodes;
    std::unordered_set<const PiNode*> _moving;
    std::vector<Link> _fed;
    std::map<const PiOutput*, RCStrongPtr<PiSocket>> _sockets;
    std::vector<RCStrongPtr<PiSocket>> _bypassed;
    std::vector<Link> _after;
};

bool setMuted(const OmCompositionActions::Item& item, const OmCompositionActions::Selection& selection, bool muted) {
    Nodes nodes = filtered(targetNodes(item, selection), [muted](const PiNode& node) {
        return PiImageModifier::isImageModifier(node) && PiImageModifier::isMuted(node) != muted;
    });
    if (nodes.empty()) return false;
    PiUndoGuard guard(nodes.front()->getGraph()->getCommandStack(), muted ? "Mute" : "Unmute");
    for (const auto& node : nodes) PiImageModifier::setMuted(node, muted);
    return true;
}

} // namespace

std::vector<RCStrongPtr<PiNode>> OmCompositionActions::getTargetNodes(const Item& item, const Selection& selection) {
    return targetNodes(item, selection);
}

OmCompositionActions::DisplayStrings& OmCompositionActions::strings() {
    static DisplayStrings value;
    return value;
}

bool OmCompositionActions::executeRemoveNodeAction(const Item& item, const Selection& selection) {
    Nodes nodes = targetNodes(item, selection);
    if (nodes.empty()) return false;
    PiGraph& graph = *nodes.front()->getGraph();
    PiUndoGuard guard(graph.getCommandStack(), "Remove Node");
    // A member goes with its group when both are listed.
    for (const auto& node : nodes)
        if (node->isLive()) graph.removeNode(node);
    return true;
}

bool OmCompositionActions::executeGroupNodesAction(const Item& item, const Selection& selection) {
    Nodes nodes = filtered(targetNodes(item, selection),
                           [](const PiNode& node) { return dynamic_cast<const PiBoundaryNode*>(&node) == nullptr; });
    if (nodes.empty()) return false;
    RCStrongPtr<PiGroupNode> parent = nodes.front()->getGroup();
    if (std::any_of(nodes.begin(), nodes.end(), [&](const auto& n) { return n->getGroup() != parent; })) return false;
    PiGraph& graph = *parent->getGraph();
    PiUndoGuard guard(graph.getCommandStack(), "Group Nodes");
    RCStrongPtr<PiGroupNode> group = rcCheckedCast<PiGroupNode>(graph.createNode("Group", parent));
    float x = 0, y = 0;
    if (PiSchematicInterfaceEx::getXYPosition(*nodes.front(), x, y)) PiSchematicInterfaceEx::setXYPosition(group, x, y);
    moveNodesIntoGroup(nodes, group);
    return true;
}

bool OmCompositionActions::executeUngroupNodesAction(const Item& item, const Selection& selection) {
    Nodes groups = filtered(targetNodes(item, selection), [](const PiNode& node) {
        auto* group = dynamic_cast<const PiGroupNode*>(&node);
        return group && !group->isRoot();
    });
    if (groups.empty()) return false;
    PiGraph& graph = *groups.front()->getGraph();
    PiUndoGuard guard(graph.getCommandStack(), "Ungroup Nodes");
    for (const auto& node : groups) {
        RCStrongPtr<PiGroupNode> group = rcCheckedCast<PiGroupNode>(node);
        RCStrongPtr<PiGroupNode> parent = group->getGroup();
        Nodes members =
            filtered(group->getMembers(), [](const PiNode& n) { return !dynamic_cast<const PiBoundaryNode*>(&n); });
        // A source as seen from outside: an input boundary node stands for what feeds its socket.
        auto outside = [](const RCStrongPtr<PiOutput>& output) {
            auto* boundary = dynamic_cast<PiBoundaryNode*>(output->getNodePtr());
            return boundary ? static_cast<PiInput&>(*boundary->getGroupSocket()).getOutput() : output;
        };
        std::vector<Link> fed = findFedInputs(members);
        for (Link& link : fed) link.output = outside(link.output);
        // Each input or value fed by a group output, with what feeds that output inside (null: nothing).
        std::vector<Link> consumers;
        for (const auto& output : group->getOutputs()) {
            RCStrongPtr<PiInput> inner = rcCheckedCast<PiInput>(group->getBoundaryNode(*output)->getInnerSocket());
            RCStrongPtr<PiOutput> source = inner->isConnected() ? outside(inner->getOutput()) : RCStrongPtr<PiOutput>();
            for (PiInput* target : output->getConnections())
                consumers.push_back({source, RCStrongPtr<PiInput>(target)});
        }
        for (const auto& member : members) graph.moveNode(member, parent);
        // In place, so that the consumers' multi-valued inputs keep their order.
        for (const Link& link : consumers) {
            if (link.output.isNull()) graph.disconnect(link.input);
            else graph.connect(link.output, link.input);
        }
        for (const Link& link : fed)
            if (!link.output.isNull()) graph.connect(link.output, link.input);
        graph.removeNode(group);
    }
    return true;
}

bool OmCompositionActions::executeMuteNodeAction(const Item& item, const Selection& selection) {
    return setMuted(item, selection, true);
}

bool OmCompositionActions::executeUnmuteNodeAction(const Item& item, const Selection& selection) {
    return setMuted(item, selection, false);
}

bool OmCompositionActions::executeResetNodeAction(const Item& item, const Selection& selection) {
    Nodes nodes = filtered(targetNodes(item, selection), [](const PiNode& node) {
        return PiImageModifier::isMuted(node) || PiKeyframingUtil::hasMarkedAttributes(node) ||
               PiNodeUtils::getResultState(node) != 0;
    });
    if (nodes.empty()) return false;
    PiUndoGuard guard(nodes.front()->getGraph()->getCommandStack(), "Reset");
    for (const auto& node : nodes) {
        if (PiImageModifier::isMuted(*node)) PiImageModifier::setMuted(node, false);
        PiKeyframingUtil::unmarkTool(node);
        PiNodeUtils::removeStoredValue(node, PiNodeUtils::RESULT_VALUE);
    }
    return true;
}

bool OmCompositionActions::moveNodesIntoGroup(const Nodes& given, const RCStrongPtr<PiGroupNode>& group) {
    const Nodes nodes = movableNodes(given, group->getGroupPtr(), *group);
    if (nodes.empty()) return false;
    PiGraph& graph = *group->getGraph();
    PiEditScope scope("Move Nodes", true);
    GroupMove move(nodes, group);
    // Sources seen from inside the group: an outside output through a group input, a group output
    // through what feeds it inside (null: nothing).
    for (Link& link : move.getFed()) {
        if (move.isMoving(link.output->getNodePtr())) continue;
        if (link.output->getNodePtr() == group.get()) {
            move.bypass(link.output);
            link.output = move.inner<PiInput>(*link.output)->getOutput();
            continue;
        }
        bool isNew = false;
        RCStrongPtr<PiSocket> socket = move.getSocket(link.output, link.input->getName(), false, isNew);
        if (isNew) graph.connect(link.output, rcCheckedCast<PiInput>(socket));
        link.output = move.inner<PiOutput>(*socket);
    }
    // Outside consumers are fed from new group outputs in place, so they keep their order; what a group
    // input carried inside is fed straight.
    move.forEachLeaving([&](const RCStrongPtr<PiOutput>& output, PiInput* target) {
        const PiInput& top = target->getTopInput();
        if (top.getNodePtr() == group.get()) {
            move.bypass(RCStrongPtr<PiSocket>(const_cast<PiInput*>(&top)));
            for (PiInput* consumer : move.inner<PiOutput>(top)->getConnections())
                move.linkAfter(output, RCStrongPtr<PiInput>(consumer));
            return;
        }
        bool isNew = false;
        RCStrongPtr<PiSocket> socket = move.getSocket(output, output->getName(), true, isNew);
        if (isNew) move.linkAfter(output, move.inner<PiInput>(*socket));
        graph.connect(rcCheckedCast<PiOutput>(socket), RCStrongPtr<PiInput>(target));
    });
    move.finish(group);
    return true;
}

bool OmCompositionActions::moveNodesOutOfGroup(const Nodes& given) {
    if (given.empty() || given.front()->getGroup().isNull()) return false;
    const RCStrongPtr<PiGroupNode> group = given.front()->getGroup();
    const RCStrongPtr<PiGroupNode> parent = group->getGroup();
    const Nodes nodes = movableNodes(given, group.get(), *group);
    if (parent.isNull() || nodes.empty()) return false;
    PiGraph& graph = *group->getGraph();
    PiEditScope scope("Move Nodes", true);
    GroupMove move(nodes, group);
    // Sources seen from outside the group: a group input through what feeds it (null: nothing), a
    // member that stays through a group output.
    for (Link& link : move.getFed()) {
        PiNode* source = link.output->getNodePtr();
        if (move.isMoving(source)) continue;
        if (auto* boundary = dynamic_cast<PiBoundaryNode*>(source)) {
            move.bypass(boundary->getGroupSocket());
            link.output = static_cast<PiInput&>(*boundary->getGroupSocket()).getOutput();
            continue;
        }
        bool isNew = false;
        RCStrongPtr<PiSocket> socket = move.getSocket(link.output, link.output->getName(), true, isNew);
        if (isNew) graph.connect(link.output, move.inner<PiInput>(*socket));
        link.output = rcCheckedCast<PiOutput>(socket);
    }
    // Members that stay are fed through new group inputs in place; what a group output carried
    // outside is fed straight.
    move.forEachLeaving([&](const RCStrongPtr<PiOutput>& output, PiInput* target) {
        if (auto* boundary = dynamic_cast<PiBoundaryNode*>(target->getTopInput().getNodePtr())) {
            move.bypass(boundary->getGroupSocket());
            for (PiInput* consumer : static_cast<PiOutput&>(*boundary->getGroupSocket()).getConnections())
                move.linkAfter(output, RCStrongPtr<PiInput>(consumer));
            return;
        }
        bool isNew = false;
        RCStrongPtr<PiSocket> socket = move.getSocket(output, target->getName(), false, isNew);
        if (isNew) move.linkAfter(output, rcCheckedCast<PiInput>(socket));
        graph.connect(move.inner<PiOutput>(*socket), RCStrongPtr<PiInput>(target));
    });
    move.finish(parent);
    return true;
}

} // namespace Zv
