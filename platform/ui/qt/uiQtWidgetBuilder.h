#pragma once

#include "platform/base/rcStrongPtr.h"

class QWidget;

namespace Zv {

class UiWidget;

// Qt widgets for toolkit widget trees (option panels, the contents of dialogs): containers stack
// their widgets, tabs become tab widgets, toggles check boxes, option menus combo boxes, labels
// and text fields their Qt namesakes, each named as the toolkit widget is. Both sides stay in
// step: the user's edits reach the toolkit widgets as notified changes, and whatever the program
// sets on them, quietly or not, shows at once.
class UiQtWidgetBuilder {
public:
    static QWidget* build(const RCShdPtr<UiWidget>& widget, QWidget* parent = nullptr);
};

} // namespace Zv
