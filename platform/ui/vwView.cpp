#include "platform/ui/vwView.h"

#include <algorithm>

namespace Zv {

void VwView::setUserZoom(const GeVector2<float>& zoom) {
    _zoom = {std::clamp(zoom.x, _limits.getUserZoomXMin(), _limits.getUserZoomXMax()),
             std::clamp(zoom.y, _limits.getUserZoomYMin(), _limits.getUserZoomYMax())};
}

void VwView::resetUserZoomPan() {
    setUserZoom({1.0f, 1.0f});
    _pan = {};
}

void VwView::setWindowSize(int width, int height) {
    _width = std::max(width, 1);
    _height = std::max(height, 1);
}

GeRectangle<float> VwView::getWindowRect() const {
    return {0.0f, static_cast<float>(_width), 0.0f, static_cast<float>(_height)};
}

} // namespace Zv
