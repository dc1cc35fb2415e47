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

namespace Zv {

class PiSchematicInterface;
class PiTool;
class ScBorderTab;
class ScConnectionSet;

// Builds the scene node of a processing node from the XML description its tool gives for the
// schematic's orientation. Descriptions are read once per tool and orientation when the tool allows.
class ScNodeFactory : public InSingleton<ScNodeFactory> {
public:
    // A malformed node description; the message says what is wrong.
    class BadXMLDescriptionEx : public ExBase {
    public:
        using ExBase::ExBase;
    };

    // Null when the description hides the node.
    RCStrongPtr<ScNode> createNode(const RCStrongPtr<PiNode>& node, int orientation);
    // A node from description text, kept nowhere; node (may be null) is what the tabs report on.
    RCStrongPtr<ScNode> createNodeFromDescription(const LiString& text, const LiString& sourceName,
                                                  const RCStrongPtr<PiNode>& node, int orientation);
    // Tool name, ":", tool version, then "-V", "-H" or "-VU".
    static LiString getDescriptionKey(const PiTool& tool, int orientation);
    // Description texts parsed so far, the default's included.
    int getNbDescriptionsRead() const { return _nbDescriptionsRead; }

private:
    friend class InSingleton<ScNodeFactory>;
    ScNodeFactory();

    struct Build;
    struct TabPlace {
        ScRoundedBox::EdgePos start, end;
    };
    // A kept description; when it has a prototype, its nodes are copies of it.
    struct Kept {
        XmlDocument description;
        RCStrongPtr<ScCustomNode> prototype;
    };

    const XmlDocument& getDefaultDescription(int orientation);
    // The tool's description, read or kept, built.
    RCStrongPtr<ScNode> buildDescribed(const Build& build);
    // The laid-out node a kept description builds, bound to no processing node; null when its
    // nodes cannot be copied (not a custom node, or an icon that depends on the node).
    RCStrongPtr<ScCustomNode> makePrototype(const pugi::xml_node& root, const Build& build);
    XmlDocument parseDescription(const LiString& text, const LiString& sourceName);
    RCStrongPtr<ScNode> buildNode(const pugi::xml_node& root, const Build& build);
    RCStrongPtr<ScCustomNode> buildCustomNode(const pugi::xml_node& element, const Build& build);
    RCStrongPtr<ScNode> buildImageToggleNode(const pugi::xml_node& element, const Build& build);
    void buildTabs(const pugi::xml_node& tabs, ScCustomNode& node, const Build& build);
    std::unique_ptr<ScConnectionSet> buildConnectionSet(const pugi::xml_node& element, const Build& build);
    std::unique_ptr<ScBorderTab> buildLinkNodeIconTab(const pugi::xml_node& element, const Build& build);
    void addGenericTab(const pugi::xml_node& element, ScCustomNode& node);
    TabPlace readBasicTab(const pugi::xml_node& parent) const;
    ScRoundedBox::EdgePos readPosition(const pugi::xml_node& position) const;
    static int lookUp(const std::map<LiString, int>& table, const LiString& key, const char* reason);

    std::map<LiString, int> _namePositions;
    std::map<LiString, int> _colors;
    std::map<LiString, int> _sections;
    std::map<LiString, Kept> _descriptions;
    std::array<std::unique_ptr<XmlDocument>, 3> _defaultDescriptions;
    int _nbDescriptionsRead = 0;
};

} // namespace Zv
