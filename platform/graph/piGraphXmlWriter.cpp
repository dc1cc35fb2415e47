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
        writer.startElement("value")
            .attribute("key", key)
            .attribute("value", static_cast<int>(node.getValue(PiValueKind::Stored, key).v[0]))
            .endElement();
    for (const LiString& key : node.getTextKeys())
        writer.startElement("text").attribute("key", key).attribute("value", node.getText(key)).endElement();
}

// The members a group writes, in order: its boundary nodes in socket order (inputs, then outputs),
// so that sockets are declared before use, then its other members.
class WrittenMembers {
public:
    explicit WrittenMembers(const PiGroupNode& group) : _group(group) {}

    // The next member, or null when there is none left.
    const PiNode* next() {
        const size_t nbInputs = _group.getInputs().size(), nbOutputs = _group.getOutputs().size();
        while (_next < nbInputs + nbOutputs + _group.getMembers().size()) {
            const size_t i = _next++;
            if (i < nbInputs) return _group.getBoundaryNode(*_group.getInputs()[i]).get();
            if (i < nbInputs + nbOutputs) return _group.getBoundaryNode(*_group.getOutputs()[i - nbInputs]).get();
            const PiNode* member = _group.getMembers()[i - nbInputs - nbOutputs].get();
            if (!dynamic_cast<const PiBoundaryNode*>(member)) return member;
        }
        return nullptr;
    }

private:
    const PiGroupNode& _group;
    size_t _next = 0;
};

// Visits the nodes and everything they hold in document order, without recursion: enter(node)
// before a group's members, leave(node) after them.
template <class Enter, class Leave>
void walk(const std::vector<RCStrongPtr<PiNode>>& nodes, Enter enter, Leave leave) {
    std::vector<std::pair<const PiGroupNode*, WrittenMembers>> open;
    auto visit = [&](const PiNode& node) {
        enter(node);
        if (auto* group = dynamic_cast<const PiGroupNode*>(&node)) open.emplace_back(group, WrittenMembers(*group));
        else leave(node);
    };
    for (const auto& node : nodes) {
        visit(*node);
        while (!open.empty()) {
            if (const PiNode* member = open.back().second.next()) {
                visit(*member);
            } else {
                leave(*open.back().first);
                open.pop_back();
            }
        }
    }
}

void startNode(XmlWriter& writer, const PiNode& node) {
    if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(&node)) {
        writer.startElement("boundary").attribute("id", boundary->getId());
        writer.attribute("direction", boundary->isOutputNode() ? "output" : "input");
        writer.attribute("socket", boundary->getName());
    } else {
        writer.startElement("node").attribute("id", node.getId());
        writer.attribute("tool", node.getToolRef().getToolName()).attribute("name", node.getName());
    }
    writeValues(writer, node);
}

void writeLink(XmlWriter& writer, const PiInput& input, const NodeSet& written) {
    RCStrongPtr<PiOutput> source = input.getOutput();
    if (source.isNull() || !written.count(source->getNodePtr())) return;
    writer.startElement("link")
        .attribute("source", source->getNodePtr()->getId())
        .attribute("output", source->getName());
    writer.attribute("target", input.getNodePtr()->getId()).attribute("input", input.getName()).endElement();
}

void writeLinks(XmlWriter& writer, const PiNode& node, const NodeSet& written) {
    for (const auto& input : node.getInputs()) {
        if (auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get()))
            for (const auto& value : multi->getValues()) writeLink(writer, *value, written);
        else writeLink(writer, *input, written);
    }
}

} // namespace

void PiGraphXmlWriter::writeNodes(XmlWriter& writer, const std::vector<RCStrongPtr<PiNode>>& nodes) {
    NodeSet written;
    walk(
        nodes,
        [&](const PiNode& node) {
            startNode(writer, node);
            written.insert(&node);
        },
        [&](const PiNode&) { writer.endElement(); });
    walk(
        nodes, [&](const PiNode& node) { writeLinks(writer, node, written); }, [](const PiNode&) {});
}

LiString PiGraphXmlWriter::formatFloat(float value) {
    char buffer[32];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return LiString(std::string_view(buffer, error == std::errc() ? end - buffer : 0));
}

} // namespace Zv
