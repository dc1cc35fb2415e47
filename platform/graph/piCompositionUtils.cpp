#include "platform/graph/piCompositionUtils.h"

#include "platform/graph/piEditScope.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piTool.h"

#include <unordered_map>
#include <unordered_set>

namespace Zv {

RCStrongPtr<PiInput> PiCompositionUtils::findConnectedInputMatchingOutput(const PiOutput& output, const PiNode& node) {
    for (PiInput* target : output.getConnections())
        if (target->getNodePtr() == &node) return RCStrongPtr<PiInput>(target);
    return {};
}

void PiCompositionUtils::setUniqueName(const RCStrongPtr<PiNode>& node) {
    setUniqueNames({node});
}

// The names are gathered once, so naming many nodes costs what naming one does per node.
void PiCompositionUtils::setUniqueNames(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    if (nodes.empty()) return;
    std::unordered_set<const PiNode*> named;
    for (const auto& node : nodes) named.insert(node.get());
    std::unordered_set<std::string> taken;
    for (const auto& member : nodes.front()->getGroup()->getMembers())
        if (!named.count(member.get())) taken.insert(member->getName().str());
    // Per stem, the number the search goes on from.
    std::unordered_map<std::string, int> nextNumbers;
    for (const auto& node : nodes) {
        const std::string& name = node->getName().str();
        if (taken.insert(name).second) continue;
        const std::string stem = name.substr(0, name.find_last_not_of("0123456789") + 1);
        int& number = nextNumbers.try_emplace(stem, 1).first->second;
        while (taken.count(stem + std::to_string(number))) ++number;
        const std::string unique = stem + std::to_string(number);
        taken.insert(unique);
        node->setName(unique);
    }
}

RCStrongPtr<PiComposition> PiCompositionUtils::getComposition(const PiNode& node) {
    if (node.getToolRef().getKind() != PiTool::Link) return {};
    int role = PiComposition::CompositionRole;
    PiNodeUtils::getStoredValue(node, kRoleKey, role);
    return makeRC<PiComposition>(node.getText(kLinkKey), static_cast<PiComposition::Role>(role),
                                 PiNodeUtils::hasStoredValue(node, kOutOfDateKey, 1));
}

void PiCompositionUtils::setLink(const RCStrongPtr<PiNode>& node, const LiString& path, PiComposition::Role role) {
    PiEditScope scope("Link", true);
    node->getGraph()->setText(node, kLinkKey, path);
    PiNodeUtils::setStoredValue(node, kRoleKey, role);
}

void PiCompositionUtils::setOutOfDate(const RCStrongPtr<PiNode>& node, bool outOfDate) {
    if (outOfDate) PiNodeUtils::setStoredValue(node, kOutOfDateKey, 1);
    else PiNodeUtils::removeStoredValue(node, kOutOfDateKey);
}

} // namespace Zv
