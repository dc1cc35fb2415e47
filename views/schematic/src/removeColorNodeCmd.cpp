#include "views/schematic/src/removeColorNodeCmd.h"

#include "views/schematic/src/svBrowserGraph.h"

#include "platform/graph/piUndoGuardNoLog.h"

namespace Zv {

RemoveColorNodeCmd::RemoveColorNodeCmd(RCStrongPtr<PiNode> node, const RCStrongPtr<SvBrowserGraph>& browser,
                                       bool hadColor)
    : _node(std::move(node)), _browser(browser), _hadColor(hadColor) {}

void RemoveColorNodeCmd::doIt() {
    if (!_hadColor) return;
    _oldColor = PiSchematicInterfaceEx::getNodeColor(*_node);
    {
        PiUndoGuardNoLog guard;
        PiSchematicInterfaceEx::removeNodeColor(_node);
    }
    SvBrowserGraph::showNodeColor(_browser, *_node);
}

void RemoveColorNodeCmd::undoIt() {
    if (!_hadColor) return;
    {
        PiUndoGuardNoLog guard;
        PiSchematicInterfaceEx::setNodeColor(_node, _oldColor);
    }
    SvBrowserGraph::showNodeColor(_browser, *_node);
}

} // namespace Zv
