#pragma once

#include "platform/ui/uiWidget.h"

namespace Zv {

// A line of text the user edits.
class UiTextField : public UiWidget {
public:
    using ChangedHandler = CbHandler<UiTextField&>;

    UiTextField(LiString name, LiString text) : UiWidget(std::move(name)), _text(std::move(text)) {}

    const LiString& getText() const { return _text; }
    // A change made with notify runs the changed callbacks, as the user's edit does.
    void setText(const LiString& text, bool notify) {
        if (text == _text) return;
        _text = text;
        notifyStateChanged();
        if (notify) _changed.call(*this);
    }
    CbRegistration addValueChangedCb(RCShdPtr<ChangedHandler> handler) { return _changed.add(std::move(handler)); }

private:
    LiString _text;
    CbList<UiTextField&> _changed;
};

} // namespace Zv
