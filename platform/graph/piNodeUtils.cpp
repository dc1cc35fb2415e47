#include "platform/graph/piNodeUtils.h"

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piMultivaluedInput.h"

#include <algorithm>
#include <unordered_set>

namespace Zv {
namespace {

bool isHidden(const PiNode& node) {
    return PiNodeUtils::hasStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN);
}

// The first node fed by any output of node, or null.
PiNode* firstConsumer(const PiNode& node) {
    for (const auto& output : node.getOutputs())
        if (output->getNbConnections() > 0) return output->getConnections().front()->getNodePtr();
    return nullptr;
}

template <class Visit>
void forEachSourceNode(const PiNode& node, Visit visit) {
    auto visitInput = [&](const PiInput& input) {
        if (input.isConnected()) visit(input.getOutput()->getNode());
    };
    for (const auto& input : node.getInputs()) {
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get()))
            for (const auto& value : multi->getValues()) visitInput(*value);
        else visitInput(*input);
    }
}

bool feedsOnly(const PiNode& node, const std::unordered_set<const PiNode*>& taken) {
    for (const auto& output : node.getOutputs())
        for (const PiInput* target : output->getConnections())
            if (!taken.count(target->getNodePtr())) return false;
    return true;
}

} // namespace

const LiString PiNodeUtils::C_VALUE = "Collapse";
const LiString PiNodeUtils::RESULT_VALUE = "Result";

bool PiNodeUtils::hasStoredValue(const PiNode& node, const LiString& key, int value) {
    int stored = 0;
    return getStoredValue(node, key, stored) && stored == value;
}

bool PiNodeUtils::getStoredValue(const PiNode& node, const LiString& key, int& value) {
    PiValueData data = node.getValue(PiValueKind::Stored, key);
    value = static_cast<int>(data.v[0]);
    return data.isSet;
}

void PiNodeUtils::setStoredValue(const RCStrongPtr<PiNode>& node, const LiString& key, int value) {
    node->getGraph()->setValue(node, PiValueKind::Stored, key, PiValueData::of(value));
}

void PiNodeUtils::removeStoredValue(const RCStrongPtr<PiNode>& node, const LiString& key) {
    node->getGraph()->setValue(node, PiValueKind::Stored, key, {});
}

RCStrongPtr<PiNode> PiNodeUtils::getCollapseNode(const PiSocket& socket) {
    PiNode* node = socket.getNodePtr();
    // A chain cannot be longer than the graph.
    for (int steps = node ? node->getGraph()->getNbNodes() : 0; node && steps >= 0; --steps) {
        if (!isHidden(*node))
            return hasStoredValue(*node, C_VALUE, COLLAPSED) && node != socket.getNodePtr() ? RCStrongPtr<PiNode>(node)
                                                                                            : RCStrongPtr<PiNode>();
        node = firstConsumer(*node);
    }
    return {};
}

int PiNodeUtils::getCollapseType(const PiNode& node) {
    bool stays = dynamic_cast<const PiGroupNode*>(&node) || dynamic_cast<const PiBoundaryNode*>(&node) ||
                 hasStoredValue(node, C_VALUE, COLLAPSED);
    return stays ? 1 : 0;
}

void PiNodeUtils::collapseNodeTree(const RCStrongPtr<PiNode>& head, int outputCheck, int check, int marker,
                                   std::vector<RCStrongPtr<PiNode>>& list) {
    std::unordered_set<const PiNode*> taken{head.get()};
    std::vector<RCStrongPtr<PiNode>> found;
    for (size_t next = 0; next <= found.size(); ++next) {
        const PiNode& from = next == 0 ? *head : *found[next - 1];
        if (next > 0 && getCollapseType(from) == 1) continue;
        forEachSourceNode(from, [&](const RCStrongPtr<PiNode>& source) {
            if (taken.count(source.get())) return;
            if (check && !isHidden(*source)) return;
            if (outputCheck && !feedsOnly(*source, taken)) return;
            taken.insert(source.get());
            found.push_back(source);
        });
    }
    if (check) {
        for (const auto& node : found) setStoredValue(node, C_VALUE, marker);
        setStoredValue(head, C_VALUE, marker);
    }
    list.insert(list.end(), found.begin(), found.end());
}

void PiNodeUtils::toggleCollapse(const RCStrongPtr<PiNode>& head) {
    std::vector<RCStrongPtr<PiNode>> chain;
    if (hasStoredValue(*head, C_VALUE, COLLAPSED)) {
        collapseNodeTree(head, 1, 1, UNCOLLAPSED, chain);
        return;
    }
    collapseNodeTree(head, 1, 0, HIDDEN, chain);
    for (const auto& node : chain) setStoredValue(node, C_VALUE, getCollapseType(*node) == 1 ? UNCOLLAPSED : HIDDEN);
    setStoredValue(head, C_VALUE, COLLAPSED);
}

int PiNodeUtils::getNbInputTabs(const PiInput& input) {
    auto* multi = dynamic_cast<const PiMultivaluedInput*>(&input);
    return multi ? std::max(1, multi->getNbValues()) : 1;
}

void PiNodeUtils::toggleResultState(const RCStrongPtr<PiNode>& node) {
    setStoredValue(node, RESULT_VALUE, getResultState(*node) == 0 ? 1 : 0);
}

int PiNodeUtils::getResultState(const PiNode& node) {
    int state = 0;
    getStoredValue(node, RESULT_VALUE, state);
    return state;
}

} // namespace Zv
