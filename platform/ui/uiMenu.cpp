#include "platform/ui/uiMenu.h"

#include "platform/base/assertions.h"

namespace Zv {

void UiMenu::setSelectedIndex(int index, bool notify) {
    ZV_ASSERT(index >= -1 && index < static_cast<int>(_items.size()));
    if (index == _selected) return;
    _selected = index;
    notifyStateChanged();
    if (notify) _changed.call(*this);
}

} // namespace Zv
