#include "platform/ui/uiTab.h"

#include "platform/base/assertions.h"

namespace Zv {

void UiTab::insertPage(const LiString& title, const RCShdPtr<UiWidget>& page) {
    addChild(page);
    _titles.push_back(title);
    if (_current < 0) setCurrentPage(0);
    else page->display(false);
}

RCShdPtr<UiWidget> UiTab::getPage(const LiString& title) const {
    for (size_t i = 0; i < _titles.size(); ++i)
        if (_titles[i] == title) return getChildren()[i];
    return {};
}

void UiTab::setCurrentPage(int index) {
    ZV_ASSERT(index >= 0 && index < getNbPages());
    _current = index;
    for (int i = 0; i < getNbPages(); ++i) getChildren()[i]->display(i == index);
    notifyStateChanged();
}

} // namespace Zv
