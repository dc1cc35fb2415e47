#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"
#include "platform/ui/uiResColor.h"

#include <span>

namespace Zv {

// Immediate-mode drawing helpers shared by the views.
class GfxDrawUtil {
public:
    // A polyline in one colour, one pixel wide.
    static void drawCurve(std::span<const GePoint2<float>> points, const UiResColor& color, float alpha);
    // The polyline over a translucent band of the given width along the unit normals, one per point.
    static void drawCurveHighlight(std::span<const GePoint2<float>> points, std::span<const GeVector2<float>> normals,
                                   const UiResColor& color, float width, float alpha);
    // The outline of a rectangle in the current colour.
    static void drawRectangleOutline(const GeRectangle<float>& rect);
};

} // namespace Zv
