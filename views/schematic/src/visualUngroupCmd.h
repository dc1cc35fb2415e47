#pragma once

#include "platform/graph/cmCommand.h"
#include "platform/graph/piSchematicInterfaceEx.h"

namespace Zv {

// Takes a visual group's lock and colour off before the group is dissolved; undo puts them back on
// the group the ungrouping's own undo brings back.
class VisualUngroupCmd : public CmCommand {
public:
    explicit VisualUngroupCmd(RCStrongPtr<PiGroupNode> group);

    LiString getName() const override { return "Ungroup"; }
    void doIt() override;
    void undoIt() override;

private:
    RCStrongPtr<PiGroupNode> _group;
    PiSchematicInterfaceEx::Color _color;
    PiLockMode _lockMode;
    bool _hadColor;
};

} // namespace Zv
