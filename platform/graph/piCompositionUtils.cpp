#include "platform/graph/piCompositionUtils.h"

#include "platform/graph/piEditScope.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piTool.h"

#include <unordered_set>

namespace Zv {

RCStrongPtr<PiInput> PiCompositionUtils::findConnectedInputMatchingOutput(const PiOutput& output, const PiNode& node) {
    for (PiInput* target : output.getConnections())
        if (target->getNodePtr() == &node) return RCStrongPtr<PiInput>(target);
    return {};
}

void PiCompositionUtils::setUniqueName(const RCStrongPtr<PiNode>& node) {
    std::unordered_set<std::string> taken;
    for (const auto& member : node->getGroup()->getMembers())
        if (member != node) taken.insert(member->getName().str());
    const std::string& name = node->getName().str();
    if (!taken.count(name)) return;
    std::string stem = name.substr(0, name.find_last_not_of("0123456789") + 1);
    int number = 1;
    while (taken.count(stem + std::to_string(number))) ++number;
    node->setName(stem + std::to_string(number));
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
