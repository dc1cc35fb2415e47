#include "platform/ui/uiWidget.h"

#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evTooltipEvent.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiBackend.h"
#include "platform/ui/uiColorRegistry.h"
#include "platform/ui/uiContainer.h"
#include "platform/ui/uiDrawArea.h"

namespace Zv {

UiWidget::UiWidget(LiString name) : _name(std::move(name)) {}

UiWidget::~UiWidget() = default;

void UiWidget::display(bool shown) {
    if (_displayed == shown) return;
    _displayed = shown;
    notifyStateChanged();
    markForUpdate();
}

void UiWidget::setEnabled(bool enabled) {
    if (_enabled == enabled) return;
    _enabled = enabled;
    notifyStateChanged();
}

bool UiWidget::isMapped() const {
    return _displayed && (_parent == nullptr || _parent->isMapped());
}

void UiWidget::setGeometry(const GeRectangle<int>& geometry) {
    _geometry = geometry;
}

void UiWidget::setConstraint(const UiConstraint& constraint) {
    _constraint = constraint;
    if (_parent) _parent->placeChild(*this);
}

UiResColor UiWidget::getColor(ColorRole role) const {
    auto it = _colors.find(role);
    if (it != _colors.end()) return it->second;
    switch (role) {
    case ColorRole::Background: return UiColorRegistry::getColor(UiColorRegistry::Grey80);
    case ColorRole::InfoRect: return UiColorRegistry::getColor(UiColorRegistry::Grey60);
    case ColorRole::Text: return UiColorRegistry::getColor(UiColorRegistry::Grey200);
    case ColorRole::Frame: return UiColorRegistry::getColor(UiColorRegistry::Grey140);
    }
    return {};
}

RCShdPtr<UiWidget> UiWidget::findWidget(const LiString& name) {
    return name == _name ? RCShdPtr<UiWidget>(this) : RCShdPtr<UiWidget>();
}

void UiWidget::handleEvent(EvEvent& event) {
    if (auto* button = dynamic_cast<EvPointerButtonEvent*>(&event)) {
        if (button->isPress()) _armCbs.call(*button);
    } else if (auto* tooltip = dynamic_cast<EvTooltipEvent*>(&event)) {
        _tooltipCbs.call(*tooltip);
    } else if (auto* hotkey = dynamic_cast<EvHotkeyEvent*>(&event)) {
        _hotkeyCbs.call(*hotkey);
    }
}

void UiWidget::markForUpdate() {
    markRegionForRedraw(GeRectangle<float>(0.0f, static_cast<float>(_geometry.getWidth()), 0.0f,
                                           static_cast<float>(_geometry.getHeight())));
}

void UiWidget::markRegionForRedraw(const GeRectangle<float>& region) {
    UiDrawArea* window = getWindowArea();
    if (window == nullptr || !UiApplication::exists()) return;
    const GeVector2<float> origin(static_cast<float>(_geometry.xMin), static_cast<float>(_geometry.yMin));
    UiApplication::getInstance().getBackend().requestRepaint(*window, region.translated(origin));
}

UiDrawArea* UiWidget::getWindowArea() {
    UiDrawArea* window = nullptr;
    for (UiWidget* widget = this; widget != nullptr; widget = widget->_parent)
        if (auto* area = dynamic_cast<UiDrawArea*>(widget)) window = area;
    return window;
}

} // namespace Zv
