#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"

#include <array>

namespace Zv {

class VwView;

// Mappings between a view's window pixels and the scene.
class VwUtils {
public:
    struct ZoomPan {
        GeVector2<float> zoom;
        GeVector2<float> pan;
    };

    static GePoint2<float> windowToWorldOrtho(const VwView& view, const GePoint2<float>& windowPoint);
    static GeRectangle<float> windowToWorldOrtho(const VwView& view, const GeRectangle<float>& windowRect);
    static GePoint2<float> worldToWindow(const VwView& view, const GePoint2<float>& worldPoint);
    static GeRectangle<float> worldToWindow(const VwView& view, const GeRectangle<float>& worldRect);
    // A window displacement in scene units.
    static GeVector2<float> windowToWorldVector(const VwView& view, const GeVector2<float>& windowVector);

    // The orthographic projection, column-major as glLoadMatrixf takes it, that maps the scene onto
    // the view's window with glViewport(0, 0, width, height).
    static std::array<float, 16> computeProjectionMatrix(const VwView& view);
    // The pan that keeps the scene point under the window point where it is once the zoom is newZoom.
    static GeVector2<float> computePanAroundZoomLocation(const VwView& view, const GePoint2<float>& windowPoint,
                                                         const GeVector2<float>& newZoom);
    // The same zoom on both axes and the pan that show the scene rectangle whole and centred, with
    // margin pixels left on every side; the zoom is kept at or below maxZoom.
    static ZoomPan computeZoomPanToFit(const VwView& view, const GeRectangle<float>& worldRect, float margin,
                                       float maxZoom);
};

} // namespace Zv
