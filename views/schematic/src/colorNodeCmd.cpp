#include "views/schematic/src/colorNodeCmd.h"

#include "views/schematic/src/svBrowserGraph.h"

#include "platform/graph/piUndoGuardNoLog.h"

namespace Zv {

ColorNodeCmd::ColorNodeCmd(RCStrongPtr<PiNode> node, const Color& color, const RCStrongPtr<SvBrowserGraph>& browser,
                           bool hadColor)
    : _node(std::move(node)), _color(color), _browser(browser), _hadColor(hadColor) {}

void ColorNodeCmd::doIt() {
    if (_hadColor) _oldColor = PiSchematicInterfaceEx::getNodeColor(*_node);
    {
        PiUndoGuardNoLog guard;
        PiSchematicInterfaceEx::setNodeColor(_node, _color);
    }
    SvBrowserGraph::showNodeColor(_browser, *_node);
}

void ColorNodeCmd::undoIt() {
    {
        PiUndoGuardNoLog guard;
        if (_hadColor) PiSchematicInterfaceEx::setNodeColor(_node, _oldColor);
        else PiSchematicInterfaceEx::removeNodeColor(_node);
    }
    SvBrowserGraph::showNodeColor(_browser, *_node);
}

} // namespace Zv
