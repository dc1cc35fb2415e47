#include "platform/graph/piGraphXmlReader.h"

#include "platform/base/liStringUtil.h"
#include "platform/base/xmlDocument.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSocketUtil.h"
#include "platform/graph/piToolRegistry.h"
#include "platform/graph/piValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_set>

namespace Zv {
namespace {

// The largest identity a file may give: the next free one after it must still be an int.
constexpr int kMaxId = INT32_MAX - 1;

const std::string_view kValueAttributes[] = {"x", "y", "color", "thumbnail", "visualGroup", "lock", "mute", "marked"};
// Children of a node that are not nodes.
const std::string_view kValueElements[] = {"anchor", "value", "text"};

bool isImageType(int typeIndex) {
    return typeIndex >= PiSocketDesc::Image;
}

template <class Names>
bool isOneOf(std::string_view name, const Names& names) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// Empty when the text is a finite float, else what is wrong with it.
std::string parseFloat(std::string_view text, float& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) return "is out of the range of a float";
    if (error != std::errc() || end != text.data() + text.size()) return "is not a number";
    if (!std::isfinite(value)) return "is not a finite number";
    return {};
}

} // namespace

PiGraphXmlReader::PiGraphXmlReader(const LiString& source, std::string_view text, const pugi::xml_node& parent,
                                   std::vector<std::string> otherElements)
    : _source(source), _text(text), _otherElements(std::move(otherElements)) {
    readTree(parent);
    checkLinks();
    checkCycles();
}

void PiGraphXmlReader::fail(const pugi::xml_node& at, const std::string& reason) const {
    int line = XmlDocument::lineOfOffset(_text, at.offset_debug());
    throw ExBadInput(_source.c_str(), line, _source.str() + ":" + std::to_string(line) + ": " + reason);
}

void PiGraphXmlReader::checkAttributes(const pugi::xml_node& element, std::initializer_list<std::string_view> names,
                                       std::span<const std::string_view> moreNames) const {
    for (pugi::xml_attribute attribute : element.attributes()) {
        std::string_view name = attribute.name();
        if (!isOneOf(name, names) && !isOneOf(name, moreNames))
            fail(element, "unknown attribute " + std::string(name) + " of <" + element.name() + ">");
        for (pugi::xml_attribute other = attribute.next_attribute(); other; other = other.next_attribute())
            if (name == other.name()) fail(element, "attribute " + std::string(name) + " given twice");
    }
}

void PiGraphXmlReader::checkEmpty(const pugi::xml_node& element) const {
    if (pugi::xml_node child = element.first_child())
        fail(child, child.type() == pugi::node_element ? "unexpected element <" + std::string(child.name()) + ">"
                                                       : std::string("unexpected text"));
}

// --- Elements ---

// Iterative, so that the depth of the file costs no stack.
void PiGraphXmlReader::readTree(const pugi::xml_node& top) {
    // One entry per open level: the next child to read, the group read (-1 at the top), and how far
    // its children are: 0 input boundaries, 1 output boundaries, 2 member nodes.
    struct Level {
        pugi::xml_node next;
        int group;
        int stage;
    };
    // Counting the top-level elements first spares growing the plans many times over.
    size_t nbNodes = 0, nbLinks = 0;
    for (pugi::xml_node child : top.children()) {
        const std::string_view name = child.name();
        nbNodes += name == "node";
        nbLinks += name == "link";
    }
    _nodes.reserve(nbNodes);
    _links.reserve(nbLinks);
    _indexById.reserve(nbNodes);
    std::vector<Level> levels{{top.first_child(), -1, 0}};
    while (!levels.empty()) {
        pugi::xml_node child = levels.back().next;
        if (!child) {
            levels.pop_back();
            continue;
        }
        levels.back().next = child.next_sibling();
        const int group = levels.back().group;
        if (child.type() != pugi::node_element) fail(child, "unexpected text");
        std::string name = child.name();
        if (name == "node") {
            levels.back().stage = 2;
            int index = readNode(child, group);
            if (_nodes[index].tool->getKind() != PiTool::Group) continue;
            if (levels.size() > kMaxGroupDepth)
                fail(child, "groups nested more than " + std::to_string(kMaxGroupDepth) + " deep");
            levels.push_back({child.first_child(), index, 0});
        } else if (name == "boundary" && group >= 0) {
            readBoundary(child, group, levels.back().stage);
        } else if (name == "link" && group < 0) {
            readLink(child);
        } else if (group < 0 ? !isOneOf(name, _otherElements) : !isOneOf(name, kValueElements)) {
            fail(child, "unexpected element <" + name + ">");
        }
    }
}

int PiGraphXmlReader::readNode(const pugi::xml_node& element, int parent) {
    checkAttributes(element, {"id", "tool", "name"}, kValueAttributes);
    PlanNode node;
    node.element = element;
    node.parent = parent;
    node.id = readInt(element, "id", 1, kMaxId);
    LiString toolName = readText(element, "tool");
    node.tool = PiToolRegistry::getInstance().find(toolName).get();
    if (!node.tool || node.tool->getKind() == PiTool::Boundary)
        fail(element, "unknown tool \"" + toolName.str() + "\"");
    node.name = readText(element, "name");
    readValues(element, node);
    return addNode(std::move(node));
}

void PiGraphXmlReader::readBoundary(const pugi::xml_node& element, int parent, int& stage) {
    checkAttributes(element, {"id", "direction", "socket"}, kValueAttributes);
    PlanNode node;
    node.element = element;
    node.parent = parent;
    node.id = readInt(element, "id", 1, kMaxId);
    std::string direction = element.attribute("direction").value();
    if (direction != "input" && direction != "output") fail(element, "direction must be input or output");
    node.outputBoundary = direction == "output";
    // Boundaries come first, inputs before outputs: the order the group's sockets take.
    if (stage == 2) fail(element, "a <boundary> after the group's member nodes");
    if (stage == 1 && !node.outputBoundary) fail(element, "an input <boundary> after an output one");
    stage = node.outputBoundary ? 1 : 0;
    node.name = readText(element, "socket");
    readValues(element, node);
    if (!_boundaries.emplace(BoundaryKey{parent, node.outputBoundary, node.name.str()}, static_cast<int>(_nodes.size()))
             .second)
        fail(element, "duplicate " + direction + " socket \"" + node.name.str() + "\"");
    addNode(std::move(node));
}

int PiGraphXmlReader::addNode(PlanNode&& node) {
    int index = static_cast<int>(_nodes.size());
    if (!_indexById.emplace(node.id, index).second) fail(node.element, "duplicate id " + std::to_string(node.id));
    _nodes.push_back(std::move(node));
    return index;
}

void PiGraphXmlReader::readValues(const pugi::xml_node& element, PlanNode& node) {
    bool hasX = element.attribute("x"), hasY = element.attribute("y");
    if (hasX != hasY) fail(element, "a position needs both x and y");
    if (hasX)
        node.values.emplace_back(PiValueKind::Position,
                                 PiValueData::of(readFloat(element, "x"), readFloat(element, "y")));
    if (element.attribute("color")) node.values.emplace_back(PiValueKind::NodeColor, readColor(element));
    if (element.attribute("thumbnail"))
        node.values.emplace_back(PiValueKind::Thumbnail, PiValueData::of(readInt(element, "thumbnail", 0, 1)));
    const PiTool::Kind kind = node.tool ? node.tool->getKind() : PiTool::Boundary;
    for (auto [name, value] : {std::pair{"visualGroup", PiValueKind::VisualGroup}, std::pair{"mute", PiValueKind::Mute},
                               std::pair{"marked", PiValueKind::KeyframeMark}}) {
        if (!element.attribute(name) || readInt(element, name, 0, 1) == 0) continue;
        node.values.emplace_back(value, PiValueData::of(1));
    }
    if (element.attribute("lock")) {
        int lock = readInt(element, "lock", 0, PiSchematicInterfaceEx::kMaxLockMode);
        if (lock != static_cast<int>(PiLockMode::None))
            node.values.emplace_back(PiValueKind::VisualGroupLock, PiValueData::of(lock));
    }
    for (const auto& [valueKind, data] : node.values)
        if (std::string fault = PiValue::findFault(valueKind, {}, kind, data); !fault.empty()) fail(element, fault);
    readValueElements(element, node);
}

// Reads the anchor, value and text children; a group's other children are read by readTree.
void PiGraphXmlReader::readValueElements(const pugi::xml_node& element, PlanNode& node) {
    const bool holdsNodes = node.tool && node.tool->getKind() == PiTool::Group;
    // A key given twice would lose one of its values.
    auto readKey = [this](const pugi::xml_node& child, const auto& pairs) {
        LiString key = readText(child, "key");
        if (std::any_of(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; }))
            fail(child, "a second <" + std::string(child.name()) + "> with key \"" + key.str() + "\"");
        return key;
    };
    for (pugi::xml_node child : element.children()) {
        if (child.type() != pugi::node_element) fail(child, "unexpected text");
        std::string name = child.name();
        if (isOneOf(name, kValueElements)) {
            checkAttributes(child, name == "anchor" ? std::initializer_list<std::string_view>{"name", "type"}
                                                    : std::initializer_list<std::string_view>{"key", "value"});
            checkEmpty(child);
        }
        if (name == "anchor") {
            node.anchors.push_back({readText(child, "name"), readText(child, "type")});
        } else if (name == "text") {
            LiString key = readKey(child, node.texts);
            node.texts.emplace_back(key, readText(child, "value"));
        } else if (name == "value") {
            LiString key = readKey(child, node.stored);
            auto [min, max] = PiValue::getStoredRange(key);
            node.stored.emplace_back(key, readInt(child, "value", min, max));
        } else if (!holdsNodes) {
            fail(child, "unexpected element <" + name + "> in " +
                            (node.tool ? "a " + node.tool->getToolName().str() + " node" : std::string("a boundary")));
        }
    }
}

void PiGraphXmlReader::readLink(const pugi::xml_node& element) {
    checkAttributes(element, {"source", "output", "target", "input"});
    checkEmpty(element);
    _links.push_back({element, findNode(element, "source"), findNode(element, "target"), readValue(element, "output"),
                      readValue(element, "input")});
}

// --- Checks ---

PiGraphXmlReader::SocketEnd PiGraphXmlReader::resolve(const PlanLink& link, bool input) const {
    int index = input ? link.target : link.source;
    const PlanNode& node = _nodes[index];
    const std::string_view name = input ? link.input : link.output;
    auto missing = [&] {
        fail(link.element, std::string("no ") + (input ? "input" : "output") + " \"" + std::string(name) +
                               "\" on node " + std::to_string(node.id));
    };
    // A boundary node has the one socket its group socket lends it.
    if (!node.tool) {
        if (node.outputBoundary != input || node.name.str() != name) missing();
        return {index, 0, PiSocketDesc::Image, false};
    }
    if (node.tool->getKind() == PiTool::Group) {
        auto found = _boundaries.find(BoundaryKey{index, !input, std::string(name)});
        if (found == _boundaries.end()) missing();
        return {found->second, 0, PiSocketDesc::Image, false};
    }
    const LiString socketName(name);
    int socket = input ? node.tool->findInput(socketName) : node.tool->findOutput(socketName);
    if (socket < 0) missing();
    const PiSocketDesc& desc = input ? node.tool->getInputs()[socket] : node.tool->getOutputs()[socket];
    return {index, socket, desc.typeIndex, desc.multivalued};
}

void PiGraphXmlReader::checkLinks() {
    // By consuming vertex and socket, which name an input as its node and name do.
    std::unordered_set<uint64_t> fedInputs;
    fedInputs.reserve(_links.size());
    for (PlanLink& link : _links) {
        // Boundary nodes sit inside their group, other nodes at their parent's level.
        if (_nodes[link.source].parent != _nodes[link.target].parent)
            fail(link.element, "link between nodes of different groups");
        SocketEnd producer = resolve(link, false);
        SocketEnd consumer = resolve(link, true);
        if (isImageType(producer.typeIndex) != isImageType(consumer.typeIndex))
            fail(link.element, "an image socket and a parameter socket cannot be linked");
        const uint64_t fed = static_cast<uint64_t>(consumer.vertex) << 32 | static_cast<uint32_t>(consumer.socket);
        if (!consumer.multivalued && !fedInputs.insert(fed).second)
            fail(link.element, "input \"" + std::string(link.input) + "\" of node " +
                                   std::to_string(_nodes[link.target].id) + " is linked twice");
        link.producer = producer.vertex;
        link.consumer = consumer.vertex;
    }
}

// Depth-first over producer-to-consumer edges; the link that closes a circle is the one reported.
void PiGraphXmlReader::checkCycles() const {
    // The links of each producer in file order, as one array: links of vertex v are
    // edges[firstEdge[v]] up to edges[firstEdge[v + 1]].
    std::vector<size_t> firstEdge(_nodes.size() + 1, 0);
    for (const PlanLink& link : _links) ++firstEdge[link.producer + 1];
    for (size_t v = 0; v < _nodes.size(); ++v) firstEdge[v + 1] += firstEdge[v];
    std::vector<size_t> edges(_links.size());
    std::vector<size_t> filled(firstEdge.begin(), firstEdge.end() - 1);
    for (size_t i = 0; i < _links.size(); ++i) edges[filled[_links[i].producer]++] = i;

    enum State : char { Unseen, Open, Done };
    std::vector<State> state(_nodes.size(), Unseen);
    std::vector<std::pair<int, size_t>> stack; // vertex, next place in edges
    for (size_t start = 0; start < _nodes.size(); ++start) {
        if (state[start] != Unseen) continue;
        stack.emplace_back(static_cast<int>(start), firstEdge[start]);
        state[start] = Open;
        while (!stack.empty()) {
            auto& [vertex, next] = stack.back();
            if (next == firstEdge[vertex + 1]) {
                state[vertex] = Done;
                stack.pop_back();
                continue;
            }
            const PlanLink& link = _links[edges[next++]];
            if (state[link.consumer] == Open) fail(link.element, "link makes a cycle");
            if (state[link.consumer] == Unseen) {
                state[link.consumer] = Open;
                stack.emplace_back(link.consumer, firstEdge[link.consumer]);
            }
        }
    }
}

int PiGraphXmlReader::findNode(const pugi::xml_node& element, const char* attribute) const {
    int id = readInt(element, attribute, INT32_MIN, INT32_MAX);
    auto found = _indexById.find(id);
    if (found == _indexById.end()) fail(element, std::string(attribute) + " names no node: " + std::to_string(id));
    return found->second;
}

float PiGraphXmlReader::readFloat(const pugi::xml_node& element, const char* attribute) const {
    LiString text = readText(element, attribute);
    float value = 0;
    std::string fault = parseFloat(text.str(), value);
    if (!fault.empty()) fail(element, std::string(attribute) + " " + fault + ": \"" + text.str() + "\"");
    return value;
}

PiValueData PiGraphXmlReader::readColor(const pugi::xml_node& element) const {
    LiString text = readText(element, "color");
    std::vector<LiString> parts = text.split(" ");
    PiValueData rgb{true, {}};
    bool valid = parts.size() == rgb.v.size();
    for (size_t i = 0; valid && i < parts.size(); ++i) {
        float component = 0;
        valid = parseFloat(parts[i].str(), component).empty();
        rgb.v[i] = component;
    }
    if (!valid) fail(element, "color must be three numbers: \"" + text.str() + "\"");
    return rgb;
}

int PiGraphXmlReader::readInt(const pugi::xml_node& element, const char* attribute, int min, int max) const {
    LiString text = readText(element, attribute);
    auto value = LiStringUtil::parseInt(text);
    if (!value || *value < min || *value > max)
        fail(element, std::string(attribute) + " must be a whole number from " + std::to_string(min) + " to " +
                          std::to_string(max) + ": \"" + text.str() + "\"");
    return static_cast<int>(*value);
}

LiString PiGraphXmlReader::readText(const pugi::xml_node& element, const char* attribute) const {
    return LiString(readValue(element, attribute));
}

const char* PiGraphXmlReader::readValue(const pugi::xml_node& element, const char* attribute) const {
    pugi::xml_attribute found = element.attribute(attribute);
    if (!found) fail(element, "<" + std::string(element.name()) + "> has no " + attribute);
    return found.value();
}

// --- Building ---

std::vector<RCStrongPtr<PiNode>> PiGraphXmlReader::build(const RCStrongPtr<PiGroupNode>& group, bool keepIds) {
    PiGraph& graph = *group->getGraph();
    _built.assign(_nodes.size(), {});
    // Large files would otherwise rehash the id index many times over.
    graph._nodesById.reserve(graph._nodesById.size() + _nodes.size());
    std::vector<RCStrongPtr<PiNode>> top;
    for (size_t i = 0; i < _nodes.size(); ++i) {
        const PlanNode& plan = _nodes[i];
        RCStrongPtr<PiGroupNode> parent = plan.parent < 0 ? group : rcCheckedCast<PiGroupNode>(_built[plan.parent]);
        int id = keepIds ? plan.id : 0;
        RCStrongPtr<PiNode>& node = _built[i];
        if (plan.tool) {
            node = graph.createNode(plan.tool->getToolName(), parent, plan.name, id);
            // An empty name stays empty: creation would have made one up.
            if (plan.name.isEmpty()) graph.renameNode(node, plan.name);
        } else {
            RCStrongPtr<PiSocket> socket = graph.addGroupSocket(parent, plan.name, plan.outputBoundary, id);
            node = parent->getBoundaryNode(*socket);
        }
        for (const auto& [kind, data] : plan.values) graph.setValue(node, kind, {}, data);
        for (const auto& [key, value] : plan.stored)
            graph.setValue(node, PiValueKind::Stored, key, PiValueData::of(value));
        for (const auto& [key, text] : plan.texts) graph.setText(node, key, text);
        if (!plan.anchors.empty()) graph.setAnchors(node, plan.anchors);
        if (plan.parent < 0) top.push_back(node);
    }
    for (const PlanLink& link : _links)
        graph.attach(PiSocketUtil::getOutput(*_built[link.source], LiString(link.output)),
                     PiSocketUtil::getInput(*_built[link.target], LiString(link.input)));
    return top;
}

void PiGraphXmlReader::buildDetached(PiGraph& graph) {
    graph._beingFilled = true;
    try {
        build(graph.getRootGroup(), true);
    } catch (...) {
        graph._beingFilled = false;
        throw;
    }
    graph._beingFilled = false;
}

RCStrongPtr<PiNode> PiGraphXmlReader::findBuilt(int textId) const {
    auto found = _indexById.find(textId);
    return found == _indexById.end() || _built.empty() ? RCStrongPtr<PiNode>() : _built[found->second];
}

} // namespace Zv
