#include "platform/graph/piGraphUtils.h"

#include "platform/base/xmlDocument.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piGraphXmlReader.h"
#include "platform/graph/piGraphXmlWriter.h"

#include <unordered_map>
#include <unordered_set>

namespace Zv {
namespace {

// Tells whether a node lies inside one of the listed nodes; each group's answer is kept, so the
// whole list costs one walk up every group at most, however deep the nesting.
class ListedAncestors {
public:
    explicit ListedAncestors(const std::vector<RCStrongPtr<PiNode>>& nodes) {
        for (const auto& node : nodes) _inside[node.get()] = true;
    }

    bool isInsideListed(const PiNode& node) {
        std::vector<const PiNode*> unknown;
        bool inside = false;
        for (const PiNode* group = node.getGroupPtr(); group; group = group->getGroupPtr()) {
            auto found = _inside.find(group);
            if (found != _inside.end()) {
                inside = found->second;
                break;
            }
            unknown.push_back(group);
        }
        for (const PiNode* group : unknown) _inside[group] = inside;
        return inside;
    }

private:
    // A listed node, or a group known to lie inside one (true) or not (false).
    std::unordered_map<const PiNode*, bool> _inside;
};

} // namespace

void PiGraphUtils::archiveNodes(const std::vector<RCStrongPtr<PiNode>>& nodes, XmlWriter& writer) {
    std::vector<RCStrongPtr<PiNode>> written;
    std::unordered_set<const PiNode*> taken;
    ListedAncestors listed(nodes);
    for (const auto& node : nodes)
        if (!dynamic_cast<PiBoundaryNode*>(node.get()) && !listed.isInsideListed(*node) &&
            taken.insert(node.get()).second)
            written.push_back(node);
    writer.startElement("archive").attribute("version", 1);
    PiGraphXmlWriter::writeNodes(writer, written);
    writer.endElement();
}

std::vector<RCStrongPtr<PiNode>> PiGraphUtils::unarchiveNodes(const LiString& text, const LiString& source,
                                                              const RCStrongPtr<PiGroupNode>& group) {
    XmlDocument document = XmlDocument::parse(text.str(), source);
    pugi::xml_node root = document.getRoot();
    PiGraphXmlReader reader(source, text.str(), root);
    if (std::string(root.name()) != "archive") reader.fail(root, "not an archive of nodes");
    PiEditScope scope("Paste", true);
    return reader.build(group, false);
}

PiNodePredicate PiGraphUtils::getNoFootageLinkPredicate() {
    return [](const PiNode& node) {
        RCStrongPtr<PiComposition> linked = PiCompositionUtils::getComposition(node);
        return linked.isNull() || linked->getRole() != PiComposition::FootageRole;
    };
}

} // namespace Zv
