#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"

namespace Zv {

class UiMiniViewer2D;

// What a navigator asks of the viewer it gives an overview of.
class UiMiniViewerSource {
public:
    // Draws the main viewer's scene with the navigator's projection in place.
    virtual void drawNavigatorScene(UiMiniViewer2D& navigator) = 0;
    // Centres the main view on a scene point chosen in the navigator.
    virtual void panFromNavigator(const GePoint2<float>& worldPoint) = 0;
    // The scene rectangle the main view shows.
    virtual GeRectangle<float> getMainVisibleRect() const = 0;

protected:
    ~UiMiniViewerSource() = default;
};

} // namespace Zv
