#pragma once

class QWidget;

namespace Zv {

class UiPopupMsgBox;

// Toolkit message boxes as modal Qt dialogs: the message, the box's widgets built as Qt widgets,
// then its buttons in their order. Return chooses the default button; Escape and closing the
// window choose the cancel button.
class UiQtMsgBox {
public:
    // The index of the button chosen.
    static int run(UiPopupMsgBox& box, QWidget* parent);
};

} // namespace Zv
