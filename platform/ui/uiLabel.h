#pragma once

#include "platform/ui/uiWidget.h"

namespace Zv {

// A line of text.
class UiLabel : public UiWidget {
public:
    UiLabel(LiString name, LiString text) : UiWidget(std::move(name)), _text(std::move(text)) {}

    const LiString& getText() const { return _text; }
    void setText(const LiString& text) {
        if (text == _text) return;
        _text = text;
        notifyStateChanged();
    }

private:
    LiString _text;
};

} // namespace Zv
