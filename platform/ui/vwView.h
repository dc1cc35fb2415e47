#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"
#include "platform/ui/vwViewingLimits.h"

namespace Zv {

// What a 2D view shows: a window of width × height pixels in which the scene point p appears at
// (p + pan) × zoom + the window's centre. A zoom of 1 and a pan of 0 put the scene's origin in the
// middle at one pixel per unit.
class VwView {
public:
    const GeVector2<float>& getUserZoom() const { return _zoom; }
    // Kept within the viewing limits.
    void setUserZoom(const GeVector2<float>& zoom);
    const GeVector2<float>& getUserPan() const { return _pan; }
    void setUserPan(const GeVector2<float>& pan) { _pan = pan; }
    void resetUserZoomPan();

    VwViewingLimits& getViewingLimits() { return _limits; }
    const VwViewingLimits& getViewingLimits() const { return _limits; }

    int getWidth() const { return _width; }
    int getHeight() const { return _height; }
    void setWindowSize(int width, int height);
    // {0, width, 0, height}.
    GeRectangle<float> getWindowRect() const;

private:
    GeVector2<float> _zoom{1.0f, 1.0f};
    GeVector2<float> _pan;
    VwViewingLimits _limits;
    int _width = 1;
    int _height = 1;
};

} // namespace Zv
