#pragma once

#include "platform/base/liString.h"

#include <vector>

namespace Zv {

class ActAction;
class SnItem;
class UiView;

// The schematic view's actions, registered with the application's action registry from module
// start-up to shut-down: the host offers them in context menus, and the view's background menu
// offers those that apply to the selection.
class SvDisplayActions {
public:
    // Registers every action, then one per context point of the composition.
    static void registerAll();
    // Takes every registered action back, in registration order, and deletes it.
    static void unregisterAll();
    // The actions registered now, in registration order.
    static const std::vector<ActAction*>& getRegistered();

    // Context-point actions go in a sub-menu of their own.
    static bool isContextPointAction(const ActAction& action);
    // The text of an action's entry for a target: a context-point action says whether it sets or
    // removes the point.
    static LiString getMenuText(const ActAction& action, const SnItem& target, UiView& view);
};

} // namespace Zv
