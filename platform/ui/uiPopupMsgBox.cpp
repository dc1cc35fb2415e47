#include "platform/ui/uiPopupMsgBox.h"

#include "platform/base/assertions.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiBackend.h"
#include "platform/ui/uiWidget.h"

namespace Zv {

UiPopupMsgBox::UiPopupMsgBox(LiString title, LiString message, std::vector<LiString> buttons, int defaultButton,
                             int cancelButton)
    : _title(std::move(title)), _message(std::move(message)), _buttons(std::move(buttons)),
      _defaultButton(defaultButton), _cancelButton(cancelButton) {
    const int nbButtons = static_cast<int>(_buttons.size());
    ZV_ASSERT(defaultButton >= 0 && defaultButton < nbButtons && cancelButton >= 0 && cancelButton < nbButtons);
}

UiPopupMsgBox::~UiPopupMsgBox() = default;

int UiPopupMsgBox::findButton(const LiString& text) const {
    for (size_t i = 0; i < _buttons.size(); ++i)
        if (_buttons[i] == text) return static_cast<int>(i);
    return -1;
}

int UiPopupMsgBox::run() {
    const int chosen = UiApplication::getInstance().getBackend().runModal(*this);
    ZV_ASSERT(chosen >= 0 && chosen < static_cast<int>(_buttons.size()));
    return chosen;
}

} // namespace Zv
