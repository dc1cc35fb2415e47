#pragma once

#include "platform/base/rcStrongPtr.h"

class QMenu;
class QWidget;

namespace Zv {

class UiPopupMenu;

// Qt menus for toolkit popup menus.
class UiQtMenu {
public:
    // A QMenu with the menu's entries, sub-menus and separators; disabled entries are greyed and
    // shortcut texts show in the shortcut column (they bind no key: the hotkeys do). Choosing an
    // entry runs its handler.
    static QMenu* build(const RCShdPtr<UiPopupMenu>& menu, QWidget* parent);
};

} // namespace Zv
