#pragma once

#include "views/schematic/src/scNode.h"

#include "platform/base/exBase.h"
#include "platform/base/inSingleton.h"

#include <array>
#include <map>
#include <memory>
#include <string>

namespace Zv {

class PiTool;
class XmlDocument;

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

    ~ScNodeFactory();

    // Null when the description hides the node.
    RCStrongPtr<ScNode> createNode(const RCStrongPtr<PiNode>& node, ScOrientation orientation);
    // A node from description text, kept nowhere, for node's sockets and reporting on node.
    RCStrongPtr<ScNode> createNodeFromDescription(const LiString& text, const LiString& sourceName,
                                                  const RCStrongPtr<PiNode>& node, ScOrientation orientation);
    // The node with the look every tool can have.
    RCStrongPtr<ScNode> createDefaultNode(const RCStrongPtr<PiNode>& node, ScOrientation orientation);
    // Tool name, ":", tool version, then "-V", "-H" or "-VU".
    static LiString getDescriptionKey(const PiTool& tool, ScOrientation orientation);
    // Description texts parsed so far, the default's included.
    int getNbDescriptionsRead() const { return _nbDescriptionsRead; }

private:
    friend class InSingleton<ScNodeFactory>;
    ScNodeFactory();

    // Builds one node, or a kept description's prototype, from a parsed description.
    class Builder;
    // A description read once, with the prototype its nodes copy.
    struct Kept;

    XmlDocument parseDescription(const LiString& text, const LiString& sourceName);
    const XmlDocument& getDefaultDescription(ScOrientation orientation);
    // The tool's description, read or kept, built.
    RCStrongPtr<ScNode> buildDescribed(const RCStrongPtr<PiNode>& node, ScOrientation orientation);
    // Builds the kept description's prototype, bound to no processing node, and its socket rules; no
    // prototype when its nodes cannot be copied (not a custom node, or an icon that depends on the node).
    void makePrototype(Kept& kept, ScOrientation orientation);

    std::map<LiString, std::unique_ptr<Kept>> _descriptions;
    std::array<std::unique_ptr<XmlDocument>, getMaxScCode<ScOrientation>() + 1> _defaultDescriptions;
    int _nbDescriptionsRead = 0;
};

} // namespace Zv
