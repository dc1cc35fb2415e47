#pragma once

#include "platform/base/rcWeakPtr.h"
#include "platform/graph/cmCommand.h"
#include "platform/graph/piSchematicInterfaceEx.h"

namespace Zv {

class SvBrowserGraph;

// Takes a node's colour away; undo gives it back. A node without colour is left alone both ways.
class RemoveColorNodeCmd : public CmCommand {
public:
    RemoveColorNodeCmd(RCStrongPtr<PiNode> node, const RCStrongPtr<SvBrowserGraph>& browser, bool hadColor);

    LiString getName() const override { return "Clear Color"; }
    void doIt() override;
    void undoIt() override;

private:
    RCStrongPtr<PiNode> _node;
    RCWeakPtr<SvBrowserGraph> _browser;
    bool _hadColor;
    PiSchematicInterfaceEx::Color _oldColor{};
};

} // namespace Zv
