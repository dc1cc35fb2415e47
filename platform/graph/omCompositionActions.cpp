#include "platform/graph/omCompositionActions.h"

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piImageModifier.h"
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

LiString uniqueSocketName(const PiGroupNode& group, const LiString& name, bool isOutput) {
    LiString unique = name;
    for (int number = 2; group.hasSocketNamed(unique, isOutput); ++number) unique = name + std::to_string(number);
    return unique;
}

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
    std::unordered_set<const PiNode*> inside;
    for (const auto& node : nodes) inside.insert(node.get());
    std::vector<Link> fed = findFedInputs(nodes);
    RCStrongPtr<PiGroupNode> group = rcCheckedCast<PiGroupNode>(graph.createNode("Group", parent));
    float x = 0, y = 0;
    if (PiSchematicInterfaceEx::getXYPosition(*nodes.front(), x, y)) PiSchematicInterfaceEx::setXYPosition(group, x, y);
    // One group input per outside output, one group output per inside output.
    std::map<const PiOutput*, RCStrongPtr<PiSocket>> sockets;
    auto socketFor = [&](const RCStrongPtr<PiOutput>& output, const LiString& name, bool isOutput) {
        RCStrongPtr<PiSocket>& socket = sockets[output.get()];
        if (socket.isNull()) socket = graph.addGroupSocket(group, uniqueSocketName(*group, name, isOutput), isOutput);
        return socket;
    };
    for (Link& link : fed) {
        if (inside.count(link.output->getNodePtr())) continue;
        RCStrongPtr<PiSocket> socket = socketFor(link.output, link.input->getName(), false);
        if (!static_cast<PiInput&>(*socket).isConnected()) graph.connect(link.output, rcCheckedCast<PiInput>(socket));
        link.output = rcCheckedCast<PiOutput>(group->getBoundaryNode(*socket)->getInnerSocket());
    }
    // Outside inputs and values are fed from the group's outputs in place, so they keep their order.
    std::vector<Link> leaving;
    for (const auto& node : nodes)
        for (const auto& output : node->getOutputs()) {
            std::vector<PiInput*> targets = output->getConnections();
            for (PiInput* target : targets) {
                if (inside.count(target->getTopInput().getNodePtr())) continue;
                bool isNew = !sockets.count(output.get());
                RCStrongPtr<PiSocket> socket = socketFor(output, output->getName(), true);
                if (isNew)
                    leaving.push_back(
                        {output, rcCheckedCast<PiInput>(group->getBoundaryNode(*socket)->getInnerSocket())});
                graph.connect(rcCheckedCast<PiOutput>(socket), RCStrongPtr<PiInput>(target));
            }
        }
    for (const auto& node : nodes) graph.moveNode(node, group);
    for (const Link& link : fed) graph.connect(link.output, link.input);
    for (const Link& link : leaving) graph.connect(link.output, link.input);
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

} // namespace Zv
