#pragma once

#include "views/schematic/src/scCustomNode.h"
#include "views/schematic/src/scNode.h"
#include "views/schematic/src/scRoundedBox.h"

#include "platform/base/exBase.h"
#include "platform/base/inSingleton.h"
#include "platform/base/xmlDocument.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Zv {

class PiSchematicInterface;
class PiTool;
class ScBorderTab;
class ScConnectionSet;

// Builds the scene node of a processing node from the XML description its tool gives for the
// schematic's orientation. Descriptions are read once per tool and orientation when the tool allows.
class ScNodeFactory : public InSingleton<ScNodeFactory> {
public:
    // A description that cannot be read or built, or that does not fit the node's sockets; the
    // message says what is wrong, the source names the description.
    class BadXMLDescriptionEx : public ExBase {
    public:
        using ExBase::ExBase;
        // The description's file, with the line when it is known.
        const std::string& getSource() const { return _source; }
        void setSource(std::string source) { _source = std::move(source); }

    private:
        std::string _source;
    };

    // Null when the description hides the node.
    RCStrongPtr<ScNode> createNode(const RCStrongPtr<PiNode>& node, int orientation);
    // A node from description text, kept nowhere, for node's sockets and reporting on node.
    RCStrongPtr<ScNode> createNodeFromDescription(const LiString& text, const LiString& sourceName,
                                                  const RCStrongPtr<PiNode>& node, int orientation);
    // The node with the look every tool can have.
    RCStrongPtr<ScNode> createDefaultNode(const RCStrongPtr<PiNode>& node, int orientation);
    // Tool name, ":", tool version, then "-V", "-H" or "-VU".
    static LiString getDescriptionKey(const PiTool& tool, int orientation);
    // Description texts parsed so far, the default's included.
    int getNbDescriptionsRead() const { return _nbDescriptionsRead; }

private:
    friend class InSingleton<ScNodeFactory>;
    ScNodeFactory();

    // How many sockets of one side a node shows (images and masks); a multi-valued input shows one per
    // value, so their number may grow.
    struct Shown {
        int n = 0;
        bool grows = false;
    };
    static Shown countShown(const PiNode& node, bool isInput);
    // How many sockets of one side an element of the description can show.
    struct SocketRule {
        const char* element;
        bool isInput;
        int min, max;
    };
    struct Build;
    struct TabPlace {
        ScRoundedBox::EdgePos start, end;
    };
    // A kept description: nodes are copies of its prototype once their sockets pass its rules.
    struct Kept {
        std::string source;
        XmlDocument description;
        RCStrongPtr<ScCustomNode> prototype;
        std::vector<SocketRule> rules;
        // Why it cannot be built, for every node to come.
        std::optional<BadXMLDescriptionEx> failure;
    };

    const XmlDocument& getDefaultDescription(int orientation);
    // The tool's description, read or kept, built.
    RCStrongPtr<ScNode> buildDescribed(const Build& build);
    // Builds the kept description's prototype, bound to no processing node, and its socket rules; no
    // prototype when its nodes cannot be copied (not a custom node, or an icon that depends on the node).
    void makePrototype(Kept& kept, int orientation);
    XmlDocument parseDescription(const LiString& text, const LiString& sourceName);
    RCStrongPtr<ScNode> buildNode(const pugi::xml_node& root, const Build& build);
    RCStrongPtr<ScCustomNode> buildCustomNode(const pugi::xml_node& element, const Build& build);
    RCStrongPtr<ScNode> buildImageToggleNode(const pugi::xml_node& element, const Build& build);
    void buildTabs(const pugi::xml_node& tabs, ScCustomNode& node, const Build& build);
    std::unique_ptr<ScConnectionSet> buildConnectionSet(const pugi::xml_node& element, bool isInput, const Build& build);
    std::unique_ptr<ScBorderTab> buildLinkNodeIconTab(const pugi::xml_node& element, const Build& build);
    void addGenericTab(const pugi::xml_node& element, ScCustomNode& node);
    TabPlace readBasicTab(const pugi::xml_node& parent) const;
    ScRoundedBox::EdgePos readPosition(const pugi::xml_node& position) const;
    static int lookUp(const std::map<LiString, int>& table, const LiString& key, const char* reason);
    // Keeps the rule when a prototype is built, else checks it against the sockets being built for.
    static void require(const Build& build, const SocketRule& rule);
    static void checkRule(const SocketRule& rule, const Build& build);

    std::map<LiString, int> _namePositions;
    std::map<LiString, int> _colors;
    std::map<LiString, int> _sections;
    std::map<LiString, Kept> _descriptions;
    std::array<std::unique_ptr<XmlDocument>, 3> _defaultDescriptions;
    int _nbDescriptionsRead = 0;
};

} // namespace Zv
