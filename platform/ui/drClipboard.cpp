#include "platform/ui/drClipboard.h"

#include "platform/ui/uiBackend.h"

namespace Zv {

void DrClipboard::setContent(const RCShdPtr<DrCarrier>& carrier) {
    _content = carrier;
    _backend.setClipboardText(carrier.isNull() ? LiString() : carrier->getText());
}

RCShdPtr<DrCarrier> DrClipboard::getContent() const {
    const LiString text = _backend.getClipboardText();
    if (!_content.isNull() && _content->getText() == text) return _content;
    if (text.isEmpty()) return {};
    RCShdPtr<DrCarrier> carrier = DrCarrier::create();
    carrier->setText(text);
    return carrier;
}

bool DrClipboard::hasContent() const {
    return !getContent().isNull();
}

} // namespace Zv
