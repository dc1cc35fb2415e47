#include "platform/ui/uiContainer.h"

#include "platform/base/assertions.h"

#include <algorithm>

namespace Zv {

UiContainer::UiContainer(LiString name) : UiWidget(std::move(name)) {}

UiContainer::~UiContainer() {
    for (const auto& child : _children) child->_parent = nullptr;
}

RCShdPtr<UiContainer> UiContainer::create(UiContainer* parent, const LiString& name) {
    auto container = makeRC<UiContainer>(name);
    if (parent) parent->addChild(container);
    return container;
}

void UiContainer::addChild(const RCShdPtr<UiWidget>& child) {
    ZV_ASSERT(child->_parent == nullptr);
    child->_parent = this;
    _children.push_back(child);
    placeChild(*child);
}

void UiContainer::removeChild(const UiWidget& child) {
    auto it = std::find_if(_children.begin(), _children.end(), [&](const auto& c) { return c.get() == &child; });
    if (it == _children.end()) return;
    (*it)->_parent = nullptr;
    _children.erase(it);
}

RCShdPtr<UiWidget> UiContainer::findWidget(const LiString& name) {
    if (RCShdPtr<UiWidget> self = UiWidget::findWidget(name)) return self;
    for (const auto& child : _children)
        if (RCShdPtr<UiWidget> found = child->findWidget(name)) return found;
    return {};
}

void UiContainer::setGeometry(const GeRectangle<int>& geometry) {
    UiWidget::setGeometry(geometry);
    for (const auto& child : _children) placeChild(*child);
}

void UiContainer::placeChild(UiWidget& child) {
    if (child.getConstraint()) child.setGeometry(child.getConstraint()->resolve(getGeometry(), child.getGeometry()));
}

} // namespace Zv
