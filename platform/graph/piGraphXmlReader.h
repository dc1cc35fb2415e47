#pragma once

#include "platform/graph/piGroupNode.h"
#include "platform/graph/piTool.h"

#include <pugixml.hpp>

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Zv {

// Reads the node and link elements that PiGraphXmlWriter writes. The constructor checks everything
// (tools, identities, numbers, sockets, levels, cycles) and raises one ExBadInput
// "source:line: reason" for the first fault; build then cannot fail.
class PiGraphXmlReader {
public:
    // otherElements: further top-level element names the caller reads itself.
    PiGraphXmlReader(const LiString& source, std::string_view text, const pugi::xml_node& parent,
                     std::vector<std::string> otherElements = {});

    // Creates the nodes in group, with their values and links; keepIds gives them the identities of
    // the text, else new ones. Returns the top-level nodes in text order.
    std::vector<RCStrongPtr<PiNode>> build(const RCStrongPtr<PiGroupNode>& group, bool keepIds);
    bool hasId(int textId) const { return _indexById.count(textId) > 0; }
    // The node built for an identity of the text, or null.
    RCStrongPtr<PiNode> findBuilt(int textId) const;
    [[noreturn]] void fail(const pugi::xml_node& at, const std::string& reason) const;

private:
    struct PlanNode {
        pugi::xml_node element;
        int id = 0;
        int parent = -1;
        RCStrongPtr<PiTool> tool; // null for a boundary node
        bool outputBoundary = false;
        LiString name;
        std::vector<std::pair<PiValueKind, PiValueData>> values;
        std::vector<std::pair<LiString, int>> stored;
        std::vector<std::pair<LiString, LiString>> texts;
        std::vector<PiNodeAnchor> anchors;
        // Boundary children of a group, by direction then socket name.
        std::unordered_map<std::string, int> inputBoundaries;
        std::unordered_map<std::string, int> outputBoundaries;
    };
    struct PlanLink {
        pugi::xml_node element;
        int source;
        int target;
        LiString output;
        LiString input;
        int producer = 0;
        int consumer = 0;
    };

    // Where a link ends: the dependency vertex (a group's socket is its boundary node), the socket type.
    struct SocketEnd {
        int vertex;
        int typeIndex;
        bool multivalued;
    };

    SocketEnd resolve(const PlanLink& link, bool input) const;
    void readChildren(const pugi::xml_node& element, int parent);
    void readNode(const pugi::xml_node& element, int parent);
    void readBoundary(const pugi::xml_node& element, int parent);
    void readValues(const pugi::xml_node& element, PlanNode& node);
    void readValueElements(const pugi::xml_node& element, PlanNode& node);
    void readLink(const pugi::xml_node& element);
    void checkLinks();
    void checkCycles() const;
    int findNode(const pugi::xml_node& element, const char* attribute) const;
    float readFloat(const pugi::xml_node& element, const char* attribute) const;
    int readInt(const pugi::xml_node& element, const char* attribute) const;
    LiString readText(const pugi::xml_node& element, const char* attribute) const;

    LiString _source;
    std::string_view _text;
    std::vector<std::string> _otherElements;
    std::vector<PlanNode> _nodes;
    std::vector<PlanLink> _links;
    std::unordered_map<int, int> _indexById;
    std::vector<RCStrongPtr<PiNode>> _built;
};

} // namespace Zv
