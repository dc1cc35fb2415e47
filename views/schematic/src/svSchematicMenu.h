#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class SvSchematicDisplay;
class UiPopupMenu;

// The view's background menu, "Schematic Menu", built each time it opens: the actions that apply to
// the selection, the view's own commands with their shortcut texts, and the stored layouts.
class SvSchematicMenu {
public:
    static RCShdPtr<UiPopupMenu> build(SvSchematicDisplay& display, const GePoint2<float>& windowPoint);
};

} // namespace Zv
