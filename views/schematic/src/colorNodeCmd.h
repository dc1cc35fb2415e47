#pragma once

#include "platform/base/rcWeakPtr.h"
#include "platform/graph/cmCommand.h"
#include "platform/graph/piSchematicInterfaceEx.h"

namespace Zv {

class SvBrowserGraph;

// Gives a node a colour; undo gives back the colour it had, or none. The model keeps no undo record
// of node colours, so the command carries both steps.
class ColorNodeCmd : public CmCommand {
public:
    using Color = PiSchematicInterfaceEx::Color;

    ColorNodeCmd(RCStrongPtr<PiNode> node, const Color& color, const RCStrongPtr<SvBrowserGraph>& browser,
                 bool hadColor);

    LiString getName() const override { return "Color"; }
    void doIt() override;
    void undoIt() override;

private:
    RCStrongPtr<PiNode> _node;
    Color _color;
    RCWeakPtr<SvBrowserGraph> _browser;
    bool _hadColor;
    Color _oldColor{};
};

} // namespace Zv
