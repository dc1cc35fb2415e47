#include "platform/graph/piGraphXmlReader.h"

#include "platform/base/liStringUtil.h"
#include "platform/base/xmlDocument.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piSocketUtil.h"
#include "platform/graph/piToolRegistry.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace Zv {
namespace {

bool isImageType(int typeIndex) {
    return typeIndex >= PiSocketDesc::Image;
}

bool isOneOf(const std::string& name, const std::vector<std::string>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

PiGraphXmlReader::PiGraphXmlReader(const LiString& source, std::string_view text, const pugi::xml_node& parent,
                                   std::vector<std::string> otherElements)
    : _source(source), _text(text), _otherElements(std::move(otherElements)) {
    readChildren(parent, -1);
    checkLinks();
    checkCycles();
}

void PiGraphXmlReader::fail(const pugi::xml_node& at, const std::string& reason) const {
    int line = XmlDocument::lineOfOffset(_text, at.offset_debug());
    throw ExBadInput(_source.c_str(), line, _source.str() + ":" + std::to_string(line) + ": " + reason);
}

// --- Elements ---

void PiGraphXmlReader::readChildren(const pugi::xml_node& element, int parent) {
    for (pugi::xml_node child : element.children()) {
        if (child.type() != pugi::node_element) continue;
        std::string name = child.name();
        if (name == "node") readNode(child, parent);
        else if (name == "boundary" && parent >= 0) readBoundary(child, parent);
        else if (name == "link" && parent < 0) readLink(child);
        else if (parent < 0 && isOneOf(name, _otherElements)) continue;
        else if (parent >= 0 && (name == "anchor" || name == "value" || name == "text")) continue;
        else fail(child, "unexpected element <" + name + ">");
    }
}

void PiGraphXmlReader::readNode(const pugi::xml_node& element, int parent) {
    PlanNode node;
    node.element = element;
    node.parent = parent;
    node.id = readInt(element, "id");
    LiString toolName = readText(element, "tool");
    node.tool = PiToolRegistry::getInstance().find(toolName);
    if (node.tool.isNull() || node.tool->getKind() == PiTool::Boundary)
        fail(element, "unknown tool \"" + toolName.str() + "\"");
    node.name = readText(element, "name");
    readValues(element, node);
    int index = static_cast<int>(_nodes.size());
    if (!_indexById.emplace(node.id, index).second) fail(element, "duplicate id " + std::to_string(node.id));
    bool isGroup = node.tool->getKind() == PiTool::Group;
    _nodes.push_back(std::move(node));
    if (isGroup) {
        readChildren(element, index);
    } else {
        for (pugi::xml_node child : element.children())
            if (child.type() == pugi::node_element && !isOneOf(child.name(), {"anchor", "value", "text"}))
                fail(child, "unexpected element <" + std::string(child.name()) + "> in a " + toolName.str() + " node");
    }
}

void PiGraphXmlReader::readBoundary(const pugi::xml_node& element, int parent) {
    PlanNode node;
    node.element = element;
    node.parent = parent;
    node.id = readInt(element, "id");
    std::string direction = element.attribute("direction").value();
    if (direction != "input" && direction != "output") fail(element, "direction must be input or output");
    node.outputBoundary = direction == "output";
    node.name = readText(element, "socket");
    readValues(element, node);
    int index = static_cast<int>(_nodes.size());
    if (!_indexById.emplace(node.id, index).second) fail(element, "duplicate id " + std::to_string(node.id));
    auto& sockets = node.outputBoundary ? _nodes[parent].outputBoundaries : _nodes[parent].inputBoundaries;
    if (!sockets.emplace(node.name.str(), index).second)
        fail(element, "duplicate " + direction + " socket \"" + node.name.str() + "\"");
    _nodes.push_back(std::move(node));
}

void PiGraphXmlReader::readValues(const pugi::xml_node& element, PlanNode& node) {
    bool hasX = element.attribute("x"), hasY = element.attribute("y");
    if (hasX != hasY) fail(element, "a position needs both x and y");
    if (hasX) node.values.emplace_back(PiValueKind::Position, PiValueData::of(readFloat(element, "x"), readFloat(element, "y")));
    if (pugi::xml_attribute color = element.attribute("color")) {
        PiValueData rgb{true, {}};
        const char* text = color.value();
        const char* end = text + std::char_traits<char>::length(text);
        for (float& component : rgb.v) {
            while (text < end && *text == ' ') ++text;
            auto [next, error] = std::from_chars(text, end, component);
            if (error != std::errc()) fail(element, "color must be three numbers: \"" + std::string(color.value()) + "\"");
            text = next;
        }
        if (text != end) fail(element, "color must be three numbers: \"" + std::string(color.value()) + "\"");
        node.values.emplace_back(PiValueKind::NodeColor, rgb);
    }
    if (element.attribute("thumbnail"))
        node.values.emplace_back(PiValueKind::Thumbnail, PiValueData::of(readInt(element, "thumbnail") != 0));
    bool isGroup = node.tool && node.tool->getKind() == PiTool::Group;
    for (auto [name, kind] : {std::pair{"visualGroup", PiValueKind::VisualGroup}, std::pair{"mute", PiValueKind::Mute},
                              std::pair{"marked", PiValueKind::KeyframeMark}}) {
        if (!element.attribute(name) || readInt(element, name) == 0) continue;
        if (kind == PiValueKind::VisualGroup && !isGroup) fail(element, "only a group can be a visual group");
        if (kind == PiValueKind::Mute && !(node.tool && node.tool->getKind() == PiTool::Modifier))
            fail(element, "only an image modifier can be muted");
        node.values.emplace_back(kind, PiValueData::of(1));
    }
    if (element.attribute("lock")) node.values.emplace_back(PiValueKind::VisualGroupLock, PiValueData::of(static_cast<float>(readInt(element, "lock"))));
    readValueElements(element, node);
}

void PiGraphXmlReader::readValueElements(const pugi::xml_node& element, PlanNode& node) {
    for (pugi::xml_node child : element.children("anchor"))
        node.anchors.push_back({readText(child, "name"), readText(child, "type")});
    for (pugi::xml_node child : element.children("value"))
        node.stored.emplace_back(readText(child, "key"), readInt(child, "value"));
    for (pugi::xml_node child : element.children("text"))
        node.texts.emplace_back(readText(child, "key"), readText(child, "value"));
}

void PiGraphXmlReader::readLink(const pugi::xml_node& element) {
    _links.push_back({element, findNode(element, "source"), findNode(element, "target"), readText(element, "output"),
                      readText(element, "input")});
}

// --- Checks ---

PiGraphXmlReader::SocketEnd PiGraphXmlReader::resolve(const PlanLink& link, bool input) const {
    int index = input ? link.target : link.source;
    const PlanNode& node = _nodes[index];
    const LiString& name = input ? link.input : link.output;
    auto missing = [&] {
        fail(link.element, std::string("no ") + (input ? "input" : "output") + " \"" + name.str() + "\" on node " +
                               std::to_string(node.id));
    };
    // A boundary node has the one socket its group socket lends it.
    if (!node.tool) {
        if (node.outputBoundary != input || node.name != name) missing();
        return {index, PiSocketDesc::Image, false};
    }
    if (node.tool->getKind() == PiTool::Group) {
        const auto& boundaries = input ? node.inputBoundaries : node.outputBoundaries;
        auto found = boundaries.find(name.str());
        if (found == boundaries.end()) missing();
        return {found->second, PiSocketDesc::Image, false};
    }
    int socket = input ? node.tool->findInput(name) : node.tool->findOutput(name);
    if (socket < 0) missing();
    const PiSocketDesc& desc = input ? node.tool->getInputs()[socket] : node.tool->getOutputs()[socket];
    return {index, desc.typeIndex, desc.multivalued};
}

void PiGraphXmlReader::checkLinks() {
    std::set<std::pair<int, std::string>> fedInputs;
    for (PlanLink& link : _links) {
        // Boundary nodes sit inside their group, other nodes at their parent's level.
        if (_nodes[link.source].parent != _nodes[link.target].parent)
            fail(link.element, "link between nodes of different groups");
        SocketEnd producer = resolve(link, false);
        SocketEnd consumer = resolve(link, true);
        if (isImageType(producer.typeIndex) != isImageType(consumer.typeIndex))
            fail(link.element, "an image socket and a parameter socket cannot be linked");
        if (!consumer.multivalued && !fedInputs.emplace(link.target, link.input.str()).second)
            fail(link.element, "input \"" + link.input.str() + "\" of node " + std::to_string(_nodes[link.target].id) +
                                   " is linked twice");
        link.producer = producer.vertex;
        link.consumer = consumer.vertex;
    }
}

// Depth-first over producer-to-consumer edges; the link that closes a circle is the one reported.
void PiGraphXmlReader::checkCycles() const {
    std::vector<std::vector<int>> edges(_nodes.size());
    for (size_t i = 0; i < _links.size(); ++i) edges[_links[i].producer].push_back(static_cast<int>(i));
    enum State : char { Unseen, Open, Done };
    std::vector<State> state(_nodes.size(), Unseen);
    std::vector<std::pair<int, size_t>> stack;
    for (size_t start = 0; start < _nodes.size(); ++start) {
        if (state[start] != Unseen) continue;
        stack.emplace_back(static_cast<int>(start), 0);
        state[start] = Open;
        while (!stack.empty()) {
            auto& [vertex, next] = stack.back();
            if (next == edges[vertex].size()) {
                state[vertex] = Done;
                stack.pop_back();
                continue;
            }
            const PlanLink& link = _links[edges[vertex][next++]];
            if (state[link.consumer] == Open) fail(link.element, "link makes a cycle");
            if (state[link.consumer] == Unseen) {
                state[link.consumer] = Open;
                stack.emplace_back(link.consumer, 0);
            }
        }
    }
}

int PiGraphXmlReader::findNode(const pugi::xml_node& element, const char* attribute) const {
    int id = readInt(element, attribute);
    auto found = _indexById.find(id);
    if (found == _indexById.end()) fail(element, std::string(attribute) + " names no node: " + std::to_string(id));
    return found->second;
}

float PiGraphXmlReader::readFloat(const pugi::xml_node& element, const char* attribute) const {
    LiString text = readText(element, attribute);
    auto value = LiStringUtil::parseFloat(text);
    if (!value) fail(element, std::string(attribute) + " is not a number: \"" + text.str() + "\"");
    return static_cast<float>(*value);
}

int PiGraphXmlReader::readInt(const pugi::xml_node& element, const char* attribute) const {
    LiString text = readText(element, attribute);
    auto value = LiStringUtil::parseInt(text);
    if (!value || *value < INT32_MIN || *value > INT32_MAX)
        fail(element, std::string(attribute) + " is not an integer: \"" + text.str() + "\"");
    return static_cast<int>(*value);
}

LiString PiGraphXmlReader::readText(const pugi::xml_node& element, const char* attribute) const {
    pugi::xml_attribute found = element.attribute(attribute);
    if (!found) fail(element, "<" + std::string(element.name()) + "> has no " + attribute);
    return LiString(found.value());
}

// --- Building ---

std::vector<RCStrongPtr<PiNode>> PiGraphXmlReader::build(const RCStrongPtr<PiGroupNode>& group, bool keepIds) {
    PiGraph& graph = *group->getGraph();
    _built.assign(_nodes.size(), {});
    std::vector<RCStrongPtr<PiNode>> top;
    for (size_t i = 0; i < _nodes.size(); ++i) {
        const PlanNode& plan = _nodes[i];
        RCStrongPtr<PiGroupNode> parent = plan.parent < 0 ? group : rcCheckedCast<PiGroupNode>(_built[plan.parent]);
        int id = keepIds ? plan.id : 0;
        RCStrongPtr<PiNode>& node = _built[i];
        if (plan.tool) {
            node = graph.createNode(plan.tool->getToolName(), parent, plan.name, id);
        } else {
            RCStrongPtr<PiSocket> socket = graph.addGroupSocket(parent, plan.name, plan.outputBoundary, id);
            node = parent->getBoundaryNode(*socket);
        }
        for (const auto& [kind, data] : plan.values) graph.setValue(node, kind, {}, data);
        for (const auto& [key, value] : plan.stored) graph.setValue(node, PiValueKind::Stored, key, PiValueData::of(static_cast<float>(value)));
        for (const auto& [key, text] : plan.texts) graph.setText(node, key, text);
        if (!plan.anchors.empty()) graph.setAnchors(node, plan.anchors);
        if (plan.parent < 0) top.push_back(node);
    }
    for (const PlanLink& link : _links)
        graph.attach(PiSocketUtil::getOutput(*_built[link.source], link.output),
                     PiSocketUtil::getInput(*_built[link.target], link.input));
    return top;
}

RCStrongPtr<PiNode> PiGraphXmlReader::findBuilt(int textId) const {
    auto found = _indexById.find(textId);
    return found == _indexById.end() || _built.empty() ? RCStrongPtr<PiNode>() : _built[found->second];
}

} // namespace Zv
