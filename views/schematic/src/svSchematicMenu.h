#pragma once

#include "views/schematic/src/scViewer.h"

#include "platform/base/gePoint2.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class SvSchematicDisplay;
class UiPopupMenu;

// The view's menus, built each time they open. The background menu, "Schematic Menu": the actions that
// apply to the selection, the view's own commands with their shortcut texts, and the stored layouts.
// A node's menu: the composition's entries, then the actions that apply to it; a socket's menu: the
// actions that apply to the socket.
class SvSchematicMenu {
public:
    static RCShdPtr<UiPopupMenu> build(SvSchematicDisplay& display, const GePoint2<float>& windowPoint);
    // Null when the picked node or socket stands for nothing in the composition.
    static RCShdPtr<UiPopupMenu> buildItemMenu(SvSchematicDisplay& display, const ScViewer::Pick& picked);
};

} // namespace Zv
