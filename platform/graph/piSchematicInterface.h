#pragma once

#include "platform/base/liString.h"

#include <array>
#include <optional>

namespace Zv {

// How a tool's nodes look in the schematic: an XML node description per orientation
// (0 flowing down "-V", 1 flowing right "-H", 2 flowing up "-VU"), read from resources/nodes.
class PiSchematicInterface {
public:
    explicit PiSchematicInterface(LiString toolName) : _toolName(std::move(toolName)) {}
    virtual ~PiSchematicInterface() = default;

    // The description text; a tool without its own file gets the default description.
    virtual LiString getDescription(int orientation) const;
    // Descriptions never change while the program runs, so readers may keep them.
    virtual bool canKeepDescriptions() const { return true; }

    // Describes any node: a box with its inputs upstream and its outputs downstream.
    static const PiSchematicInterface& getDefaultInterface();
    static const char* getOrientationSuffix(int orientation);
    // The file a tool's description is read from: the user's own when the folder named by
    // ZV_NODE_DESCRIPTIONS holds one, so nodes can be restyled without rebuilding.
    static std::string getDescriptionPath(const LiString& toolName, int orientation);
    static constexpr const char* kUserDescriptionsVariable = "ZV_NODE_DESCRIPTIONS";

private:
    LiString _toolName;
    mutable std::array<std::optional<LiString>, 3> _descriptions;
};

} // namespace Zv
