#pragma once

#include "platform/ui/uiWidget.h"

namespace Zv {

// A check box with a text.
class UiToggle : public UiWidget {
public:
    using ChangedHandler = CbHandler<UiToggle&>;

    UiToggle(LiString name, LiString text, bool value = false)
        : UiWidget(std::move(name)), _text(std::move(text)), _value(value) {}

    const LiString& getText() const { return _text; }
    bool getValue() const { return _value; }
    // A change made with notify runs the changed callbacks, as a click does.
    void setValue(bool value, bool notify) {
        if (value == _value) return;
        _value = value;
        notifyStateChanged();
        if (notify) _changed.call(*this);
    }
    CbRegistration addValueChangedCb(RCShdPtr<ChangedHandler> handler) { return _changed.add(std::move(handler)); }

private:
    LiString _text;
    bool _value;
    CbList<UiToggle&> _changed;
};

} // namespace Zv
