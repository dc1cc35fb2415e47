#pragma once

#include "platform/graph/piGroupNode.h"
#include "platform/graph/piTool.h"

#include <pugixml.hpp>

#include <initializer_list>
#include <map>
#include <span>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Zv {

// Reads the node and link elements that PiGraphXmlWriter writes. The constructor checks everything
// (elements, attributes, tools, identities, numbers, sockets, levels, cycles) and raises one
// ExBadInput "source:line: reason" for the first fault; build then cannot fail. Whatever it accepts
// is written back the same.
class PiGraphXmlReader {
public:
    // Deeper nesting of groups is refused, so that no walk over a group tree runs out of stack.
    static constexpr size_t kMaxGroupDepth = 10'000;

    // otherElements: further top-level element names the caller reads itself.
    PiGraphXmlReader(const LiString& source, std::string_view text, const pugi::xml_node& parent,
                     std::vector<std::string> otherElements = {});

    // Creates the nodes in group, with their values and links; keepIds gives them the identities of
    // the text, else new ones. Returns the top-level nodes in text order.
    std::vector<RCStrongPtr<PiNode>> build(const RCStrongPtr<PiGroupNode>& group, bool keepIds);
    // Fills a new graph that nobody sees yet, with the identities of the text; its edits keep no
    // undo steps.
    void buildDetached(PiGraph& graph);
    bool hasId(int textId) const { return _indexById.count(textId) > 0; }
    // The node built for an identity of the text, or null.
    RCStrongPtr<PiNode> findBuilt(int textId) const;

    // For the caller's own elements.
    [[noreturn]] void fail(const pugi::xml_node& at, const std::string& reason) const;
    // Refuses attributes that are not among names (they would be lost) and attributes given twice.
    void checkAttributes(const pugi::xml_node& element, std::initializer_list<std::string_view> names,
                         std::span<const std::string_view> moreNames = {}) const;
    // Refuses any child element or text.
    void checkEmpty(const pugi::xml_node& element) const;
    // A whole number from min to max.
    int readInt(const pugi::xml_node& element, const char* attribute, int min, int max) const;

private:
    struct PlanNode {
        pugi::xml_node element;
        int id = 0;
        int parent = -1;
        const PiTool* tool = nullptr; // null for a boundary node; the registry keeps tools
        bool outputBoundary = false;
        LiString name;
        std::vector<std::pair<PiValueKind, PiValueData>> values;
        std::vector<std::pair<LiString, int>> stored;
        std::vector<std::pair<LiString, LiString>> texts;
        std::vector<PiNodeAnchor> anchors;
    };
    // Socket names point into the document, which outlives the reader as its elements do.
    struct PlanLink {
        pugi::xml_node element;
        int source;
        int target;
        std::string_view output;
        std::string_view input;
        int producer = 0;
        int consumer = 0;
    };
    // A group's boundary node for a socket: group, direction (output true), socket name.
    using BoundaryKey = std::tuple<int, bool, std::string>;

    // Where a link ends: the dependency vertex (a group's socket is its boundary node), the socket
    // (its index on the vertex), the socket type.
    struct SocketEnd {
        int vertex;
        int socket;
        int typeIndex;
        bool multivalued;
    };

    SocketEnd resolve(const PlanLink& link, bool input) const;
    void readTree(const pugi::xml_node& top);
    int readNode(const pugi::xml_node& element, int parent);
    void readBoundary(const pugi::xml_node& element, int parent, int& stage);
    int addNode(PlanNode&& node);
    void readValues(const pugi::xml_node& element, PlanNode& node);
    void readValueElements(const pugi::xml_node& element, PlanNode& node);
    void readLink(const pugi::xml_node& element);
    void checkLinks();
    void checkCycles() const;
    int findNode(const pugi::xml_node& element, const char* attribute) const;
    float readFloat(const pugi::xml_node& element, const char* attribute) const;
    PiValueData readColor(const pugi::xml_node& element) const;
    LiString readText(const pugi::xml_node& element, const char* attribute) const;
    // The attribute's text as the document holds it.
    const char* readValue(const pugi::xml_node& element, const char* attribute) const;

    LiString _source;
    std::string_view _text;
    std::vector<std::string> _otherElements;
    std::vector<PlanNode> _nodes;
    std::vector<PlanLink> _links;
    std::unordered_map<int, int> _indexById;
    std::map<BoundaryKey, int> _boundaries;
    std::vector<RCStrongPtr<PiNode>> _built;
};

} // namespace Zv
