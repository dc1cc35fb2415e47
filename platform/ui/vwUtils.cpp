#include "platform/ui/vwUtils.h"

#include "platform/ui/vwView.h"

#include <algorithm>

namespace Zv {
namespace {

GeVector2<float> windowCentre(const VwView& view) {
    return {static_cast<float>(view.getWidth()) * 0.5f, static_cast<float>(view.getHeight()) * 0.5f};
}

} // namespace

GePoint2<float> VwUtils::windowToWorldOrtho(const VwView& view, const GePoint2<float>& windowPoint) {
    const GeVector2<float> offset = windowPoint.toVector() - windowCentre(view);
    const GeVector2<float>& zoom = view.getUserZoom();
    return {offset.x / zoom.x - view.getUserPan().x, offset.y / zoom.y - view.getUserPan().y};
}

GeRectangle<float> VwUtils::windowToWorldOrtho(const VwView& view, const GeRectangle<float>& windowRect) {
    return GeRectangle<float>::spanning(windowToWorldOrtho(view, {windowRect.xMin, windowRect.yMin}),
                                        windowToWorldOrtho(view, {windowRect.xMax, windowRect.yMax}));
}

GePoint2<float> VwUtils::worldToWindow(const VwView& view, const GePoint2<float>& worldPoint) {
    const GeVector2<float>& zoom = view.getUserZoom();
    const GeVector2<float> centre = windowCentre(view);
    return {(worldPoint.x + view.getUserPan().x) * zoom.x + centre.x,
            (worldPoint.y + view.getUserPan().y) * zoom.y + centre.y};
}

GeRectangle<float> VwUtils::worldToWindow(const VwView& view, const GeRectangle<float>& worldRect) {
    return GeRectangle<float>::spanning(worldToWindow(view, {worldRect.xMin, worldRect.yMin}),
                                        worldToWindow(view, {worldRect.xMax, worldRect.yMax}));
}

GeVector2<float> VwUtils::windowToWorldVector(const VwView& view, const GeVector2<float>& windowVector) {
    return {windowVector.x / view.getUserZoom().x, windowVector.y / view.getUserZoom().y};
}

std::array<float, 16> VwUtils::computeProjectionMatrix(const VwView& view) {
    // Normalised x = 2 (x + pan) zoom / width, and the same for y; z as glOrtho(..., -1, 1).
    const float sx = 2.0f * view.getUserZoom().x / static_cast<float>(view.getWidth());
    const float sy = 2.0f * view.getUserZoom().y / static_cast<float>(view.getHeight());
    return {sx,
            0.0f,
            0.0f,
            0.0f,
            0.0f,
            sy,
            0.0f,
            0.0f,
            0.0f,
            0.0f,
            -1.0f,
            0.0f,
            sx * view.getUserPan().x,
            sy * view.getUserPan().y,
            0.0f,
            1.0f};
}

GeVector2<float> VwUtils::computePanAroundZoomLocation(const VwView& view, const GePoint2<float>& windowPoint,
                                                       const GeVector2<float>& newZoom) {
    const GePoint2<float> world = windowToWorldOrtho(view, windowPoint);
    const GeVector2<float> offset = windowPoint.toVector() - windowCentre(view);
    return {offset.x / newZoom.x - world.x, offset.y / newZoom.y - world.y};
}

VwUtils::ZoomPan VwUtils::computeZoomPanToFit(const VwView& view, const GeRectangle<float>& worldRect, float margin,
                                              float maxZoom) {
    const float width = std::max(static_cast<float>(view.getWidth()) - 2.0f * margin, 1.0f);
    const float height = std::max(static_cast<float>(view.getHeight()) - 2.0f * margin, 1.0f);
    float zoom = maxZoom;
    if (worldRect.getWidth() > 0.0f) zoom = std::min(zoom, width / worldRect.getWidth());
    if (worldRect.getHeight() > 0.0f) zoom = std::min(zoom, height / worldRect.getHeight());
    const GePoint2<float> centre = worldRect.getCenter();
    return {{zoom, zoom}, {-centre.x, -centre.y}};
}

} // namespace Zv
