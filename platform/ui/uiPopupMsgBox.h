#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/uiWidget.h"

#include <vector>

namespace Zv {

// A modal box: a title, a message, optional widgets (text fields, menus) and a row of buttons, one
// of which is the default (Return) and one the cancel button (Escape).
class UiPopupMsgBox : public RCBase {
public:
    UiPopupMsgBox(LiString title, LiString message, std::vector<LiString> buttons, int defaultButton, int cancelButton);
    ~UiPopupMsgBox() override;

    const LiString& getTitle() const { return _title; }
    void setTitle(const LiString& title) { _title = title; }
    const LiString& getMessage() const { return _message; }
    const std::vector<LiString>& getButtons() const { return _buttons; }
    int getDefaultButton() const { return _defaultButton; }
    int getCancelButton() const { return _cancelButton; }
    // Index of a button by its text, -1 when there is none.
    int findButton(const LiString& text) const;

    void setContent(const RCShdPtr<UiWidget>& content) { _content = content; }
    const RCShdPtr<UiWidget>& getContent() const { return _content; }

    // Shows the box until the user chooses a button; returns its index.
    int run();

private:
    LiString _title;
    LiString _message;
    std::vector<LiString> _buttons;
    int _defaultButton;
    int _cancelButton;
    RCShdPtr<UiWidget> _content;
};

} // namespace Zv
