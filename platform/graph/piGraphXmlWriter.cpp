#include "platform/graph/piGraphXmlWriter.h"

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piTool.h"

#include <charconv>
#include <unordered_set>

namespace Zv {
namespace {

using NodeSet = std::unordered_set<const PiNode*>;

void writeFlag(XmlWriter& writer, const char* name, const PiNode& node, PiValueKind kind) {
    if (node.getValue(kind).isSet) writer.attribute(name, "1");
}

void writeValues(XmlWriter& writer, const PiNode& node) {
    PiValueData position = node.getValue(PiValueKind::Position);
    if (position.isSet) {
        writer.attribute("x", PiGraphXmlWriter::formatFloat(position.v[0]));
        writer.attribute("y", PiGraphXmlWriter::formatFloat(position.v[1]));
    }
    PiValueData color = node.getValue(PiValueKind::NodeColor);
    if (color.isSet)
        writer.attribute("color", PiGraphXmlWriter::formatFloat(color.v[0]) + " " +
                                      PiGraphXmlWriter::formatFloat(color.v[1]) + " " +
                                      PiGraphXmlWriter::formatFloat(color.v[2]));
    PiValueData thumbnail = node.getValue(PiValueKind::Thumbnail);
    if (thumbnail.isSet) writer.attribute("thumbnail", thumbnail.v[0] != 0 ? "1" : "0");
    writeFlag(writer, "visualGroup", node, PiValueKind::VisualGroup);
    PiValueData lock = node.getValue(PiValueKind::VisualGroupLock);
    if (lock.isSet) writer.attribute("lock", static_cast<int>(lock.v[0]));
    writeFlag(writer, "mute", node, PiValueKind::Mute);
    writeFlag(writer, "marked", node, PiValueKind::KeyframeMark);
    for (const PiNodeAnchor& anchor : node.getAnchors())
        writer.startElement("anchor").attribute("name", anchor.name).attribute("type", anchor.type).endElement();
    for (const LiString& key : node.getStoredKeys())
        writer.startElement("value").attribute("key", key).attribute("value", static_cast<int>(node.getValue(PiValueKind::Stored, key).v[0])).endElement();
    for (const LiString& key : node.getTextKeys())
        writer.startElement("text").attribute("key", key).attribute("value", node.getText(key)).endElement();
}

void writeNode(XmlWriter& writer, const PiNode& node, NodeSet& written);

void writeBoundary(XmlWriter& writer, const PiBoundaryNode& boundary, NodeSet& written) {
    writer.startElement("boundary").attribute("id", boundary.getId());
    writer.attribute("direction", boundary.isOutputNode() ? "output" : "input").attribute("socket", boundary.getName());
    writeValues(writer, boundary);
    writer.endElement();
    written.insert(&boundary);
}

void writeNode(XmlWriter& writer, const PiNode& node, NodeSet& written) {
    writer.startElement("node").attribute("id", node.getId());
    writer.attribute("tool", node.getToolRef().getToolName()).attribute("name", node.getName());
    writeValues(writer, node);
    written.insert(&node);
    if (auto* group = dynamic_cast<const PiGroupNode*>(&node)) {
        // Boundary nodes come first, in socket order, so that sockets are declared before use.
        for (const auto& input : group->getInputs()) writeBoundary(writer, *group->getBoundaryNode(*input), written);
        for (const auto& output : group->getOutputs()) writeBoundary(writer, *group->getBoundaryNode(*output), written);
        for (const auto& member : group->getMembers())
            if (!dynamic_cast<const PiBoundaryNode*>(member.get())) writeNode(writer, *member, written);
    }
    writer.endElement();
}

void writeLink(XmlWriter& writer, const PiInput& input, const NodeSet& written) {
    RCStrongPtr<PiOutput> source = input.getOutput();
    if (source.isNull() || !written.count(source->getNodePtr())) return;
    writer.startElement("link").attribute("source", source->getNodePtr()->getId()).attribute("output", source->getName());
    writer.attribute("target", input.getNodePtr()->getId()).attribute("input", input.getName()).endElement();
}

void writeLinks(XmlWriter& writer, const PiNode& node, const NodeSet& written) {
    for (const auto& input : node.getInputs()) {
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get()))
            for (const auto& value : multi->getValues()) writeLink(writer, *value, written);
        else writeLink(writer, *input, written);
    }
    if (auto* group = dynamic_cast<const PiGroupNode*>(&node)) {
        for (const auto& input : group->getInputs()) writeLinks(writer, *group->getBoundaryNode(*input), written);
        for (const auto& output : group->getOutputs()) writeLinks(writer, *group->getBoundaryNode(*output), written);
        for (const auto& member : group->getMembers())
            if (!dynamic_cast<const PiBoundaryNode*>(member.get())) writeLinks(writer, *member, written);
    }
}

} // namespace

void PiGraphXmlWriter::writeNodes(XmlWriter& writer, const std::vector<RCStrongPtr<PiNode>>& nodes) {
    NodeSet written;
    for (const auto& node : nodes) writeNode(writer, *node, written);
    for (const auto& node : nodes) writeLinks(writer, *node, written);
}

LiString PiGraphXmlWriter::formatFloat(float value) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return LiString(std::string_view(buffer, error == std::errc() ? end - buffer : 0));
}

} // namespace Zv
