#include "platform/ui/gfxDrawUtil.h"

#include <GL/gl.h>

#include <algorithm>

namespace Zv {
namespace {

// The band is faint enough for the line on top to stay sharp.
constexpr float kBandAlpha = 0.35f;

} // namespace

void GfxDrawUtil::drawCurve(std::span<const GePoint2<float>> points, const UiResColor& color, float alpha) {
    glColor4f(color.r, color.g, color.b, alpha);
    glBegin(GL_LINE_STRIP);
    for (const GePoint2<float>& p : points) glVertex2f(p.x, p.y);
    glEnd();
}

void GfxDrawUtil::drawCurveHighlight(std::span<const GePoint2<float>> points, std::span<const GeVector2<float>> normals,
                                     const UiResColor& color, float width, float alpha) {
    const size_t count = std::min(points.size(), normals.size());
    const float half = width * 0.5f;
    glColor4f(color.r, color.g, color.b, alpha * kBandAlpha);
    glBegin(GL_QUAD_STRIP);
    for (size_t i = 0; i < count; ++i) {
        const GePoint2<float> left = points[i] + normals[i] * half, right = points[i] - normals[i] * half;
        glVertex2f(left.x, left.y);
        glVertex2f(right.x, right.y);
    }
    glEnd();
    drawCurve(points.first(count), color, alpha);
}

void GfxDrawUtil::drawRectangleOutline(const GeRectangle<float>& rect) {
    glBegin(GL_LINE_LOOP);
    glVertex2f(rect.xMin, rect.yMin);
    glVertex2f(rect.xMax, rect.yMin);
    glVertex2f(rect.xMax, rect.yMax);
    glVertex2f(rect.xMin, rect.yMax);
    glEnd();
}

} // namespace Zv
