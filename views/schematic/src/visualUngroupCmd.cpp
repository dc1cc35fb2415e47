#include "views/schematic/src/visualUngroupCmd.h"

#include "platform/graph/piUndoGuardNoLog.h"

namespace Zv {

VisualUngroupCmd::VisualUngroupCmd(RCStrongPtr<PiGroupNode> group)
    : _group(std::move(group)), _color(PiSchematicInterfaceEx::getNodeColor(*_group)),
      _lockMode(PiSchematicInterfaceEx::getVisualGroupLockMode(*_group)),
      _hadColor(PiSchematicInterfaceEx::hasNodeColor(*_group)) {}

void VisualUngroupCmd::doIt() {
    PiUndoGuardNoLog guard;
    PiSchematicInterfaceEx::removeVisualGroupLock(_group);
    PiSchematicInterfaceEx::removeNodeColor(_group);
}

void VisualUngroupCmd::undoIt() {
    PiUndoGuardNoLog guard;
    if (_lockMode != PiLockMode::None) PiSchematicInterfaceEx::setVisualGroupLock(_group, _lockMode);
    if (_hadColor) PiSchematicInterfaceEx::setNodeColor(_group, _color);
}

} // namespace Zv
