#pragma once

namespace Zv {

// How far a view may zoom: the user's zoom, and zooms that fit a rectangle (zoom to fit), which
// stay at or below their own maximum.
class VwViewingLimits {
public:
    float getUserZoomXMin() const { return _userZoomXMin; }
    float getUserZoomYMin() const { return _userZoomYMin; }
    float getUserZoomXMax() const { return _userZoomXMax; }
    float getUserZoomYMax() const { return _userZoomYMax; }
    float getUserRectZoomXMax() const { return _rectZoomXMax; }
    float getUserRectZoomYMax() const { return _rectZoomYMax; }
    void setUserZoomXMin(float zoom) { _userZoomXMin = zoom; }
    void setUserZoomYMin(float zoom) { _userZoomYMin = zoom; }
    void setUserZoomXMax(float zoom) { _userZoomXMax = zoom; }
    void setUserZoomYMax(float zoom) { _userZoomYMax = zoom; }
    void setUserRectZoomXMax(float zoom) { _rectZoomXMax = zoom; }
    void setUserRectZoomYMax(float zoom) { _rectZoomYMax = zoom; }

private:
    float _userZoomXMin = 0.001f;
    float _userZoomYMin = 0.001f;
    float _userZoomXMax = 100.0f;
    float _userZoomYMax = 100.0f;
    float _rectZoomXMax = 100.0f;
    float _rectZoomYMax = 100.0f;
};

} // namespace Zv
