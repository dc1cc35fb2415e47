#include "platform/ui/uiMiniViewer2D.h"

#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evPointerMoveEvent.h"
#include "platform/ui/gfxDrawUtil.h"
#include "platform/ui/uiMiniViewerSource.h"
#include "platform/ui/vwUtils.h"

#include <GL/gl.h>

#include <limits>

namespace Zv {

UiMiniViewer2D::UiMiniViewer2D(LiString name) : UiViewer2D(std::move(name), {}) {}

RCShdPtr<UiMiniViewer2D> UiMiniViewer2D::create(UiContainer& parent, const LiString& name) {
    auto navigator = makeRC<UiMiniViewer2D>(name);
    parent.addChild(navigator);
    return navigator;
}

void UiMiniViewer2D::frame(const GeRectangle<float>& worldRect, float margin) {
    if (worldRect.isEmpty()) return;
    const VwUtils::ZoomPan fit =
        VwUtils::computeZoomPanToFit(getView(), worldRect, margin, std::numeric_limits<float>::max());
    getView().setUserZoom(fit.zoom);
    getView().setUserPan(fit.pan);
    markForUpdate();
}

void UiMiniViewer2D::handleEvent(EvEvent& event) {
    auto* device = dynamic_cast<EvDeviceEvent*>(&event);
    const bool pressed = dynamic_cast<EvPointerButtonEvent*>(&event) || dynamic_cast<EvPointerMoveEvent*>(&event);
    if (_source == nullptr || device == nullptr || !pressed || !device->isButtonHeld(EvButton::Left)) {
        UiViewer2D::handleEvent(event);
        return;
    }
    _source->panFromNavigator(VwUtils::windowToWorldOrtho(getView(), device->getCoord()));
    event.setProcessed();
}

void UiMiniViewer2D::drawScene() {
    if (_source == nullptr) return;
    _source->drawNavigatorScene(*this);
    const GeRectangle<float> shown = _source->getMainVisibleRect();
    const UiResColor frame = getColor(ColorRole::Frame);
    glColor4f(frame.r, frame.g, frame.b, 1.0f);
    GfxDrawUtil::drawRectangleOutline(shown);
}

} // namespace Zv
