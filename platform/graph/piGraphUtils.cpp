#include "platform/graph/piGraphUtils.h"

#include "platform/base/xmlDocument.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piGraphXmlReader.h"
#include "platform/graph/piGraphXmlWriter.h"

#include <algorithm>

namespace Zv {
namespace {

bool insideListed(const PiNode& node, const std::vector<RCStrongPtr<PiNode>>& nodes) {
    for (PiNode* group = node.getGroupPtr(); group; group = group->getGroupPtr())
        if (std::any_of(nodes.begin(), nodes.end(), [group](const auto& n) { return n.get() == group; })) return true;
    return false;
}

} // namespace

void PiGraphUtils::archiveNodes(const std::vector<RCStrongPtr<PiNode>>& nodes, XmlWriter& writer) {
    std::vector<RCStrongPtr<PiNode>> written;
    for (const auto& node : nodes)
        if (!dynamic_cast<PiBoundaryNode*>(node.get()) && !insideListed(*node, nodes)) written.push_back(node);
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
