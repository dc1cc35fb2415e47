#pragma once

#include "platform/graph/piSchematicInterface.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/piToolProtocol.h"

#include <vector>

namespace Zv {

// A built-in tool: sockets with their types and channel layouts, and its schematic interface.
class PiTool : public PiToolProtocol {
public:
    enum Kind {
        Source,    // makes an image from nothing
        Modifier,  // changes its input images; can be muted
        Output,    // the composition's primary output
        Parameter, // computes a value, never an image
        Group,
        Boundary,
        Link // another composition
    };

    PiTool(LiString name, int version, Kind kind, std::vector<PiSocketDesc> inputs, std::vector<PiSocketDesc> outputs);

    const LiString& getToolName() const override { return _name; }
    int getToolVersion() const override { return _version; }
    Kind getKind() const { return _kind; }
    const std::vector<PiSocketDesc>& getInputs() const { return _inputs; }
    const std::vector<PiSocketDesc>& getOutputs() const { return _outputs; }
    const PiSchematicInterface& getSchematicInterface() const { return _schematic; }
    // Index of the named input or output, -1 when the tool has none of that name.
    int findInput(const LiString& name) const;
    int findOutput(const LiString& name) const;

private:
    LiString _name;
    int _version;
    Kind _kind;
    std::vector<PiSocketDesc> _inputs;
    std::vector<PiSocketDesc> _outputs;
    PiSchematicInterface _schematic;
};

} // namespace Zv
