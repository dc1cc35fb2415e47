#pragma once

#include "platform/ui/uiWidget.h"

#include <vector>

namespace Zv {

// An option menu: a text and a list of entries, one of which is selected.
class UiMenu : public UiWidget {
public:
    using ChangedHandler = CbHandler<UiMenu&>;

    UiMenu(LiString name, LiString text) : UiWidget(std::move(name)), _text(std::move(text)) {}

    const LiString& getText() const { return _text; }
    void addItem(const LiString& text) {
        _items.push_back(text);
        notifyStateChanged();
    }
    const std::vector<LiString>& getItems() const { return _items; }
    // -1 when nothing is selected.
    int getSelectedIndex() const { return _selected; }
    // Asserts the index names an entry or is -1; a change made with notify runs the callbacks.
    void setSelectedIndex(int index, bool notify);
    CbRegistration addValueChangedCb(RCShdPtr<ChangedHandler> handler) { return _changed.add(std::move(handler)); }

private:
    LiString _text;
    std::vector<LiString> _items;
    int _selected = -1;
    CbList<UiMenu&> _changed;
};

} // namespace Zv
