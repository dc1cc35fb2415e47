#include "views/schematic/src/scTabSubSection.h"

#include "views/schematic/src/scDrawContext.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Zv {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kHalfPi = kPi / 2.0f;

// Every arc angle from `from` while below `to`, then `to` itself, so the arc ends exactly.
template <class Fn>
void forEachArcAngle(float from, float to, float step, Fn&& fn) {
    for (float a = from; a < to; a += step) fn(a);
    fn(to);
}

GePoint2<float> arcPoint(const GePoint2<float>& centre, float radius, float a) {
    return centre + GeVector2<float>(std::sin(a), std::cos(a)) * radius;
}

void vertex(const GePoint2<float>& p) {
    glVertex2f(p.x, p.y);
}

void line(const GePoint2<float>& a, const GePoint2<float>& b) {
    glBegin(GL_LINES);
    vertex(a);
    vertex(b);
    glEnd();
}

GeRectangle<float> around(std::initializer_list<GePoint2<float>> points) {
    GeRectangle<float> r = GeRectangle<float>::spanning(*points.begin(), *points.begin());
    for (const GePoint2<float>& p : points)
        r = {std::min(r.xMin, p.x), std::max(r.xMax, p.x), std::min(r.yMin, p.y), std::max(r.yMax, p.y)};
    return r;
}

// Angle of p around a centre, clockwise from straight up, in [0, 2pi).
float angleAround(const GePoint2<float>& centre, const GePoint2<float>& p) {
    float phi = std::atan2(p.x - centre.x, p.y - centre.y);
    return phi < 0.0f ? phi + 2.0f * kPi : phi;
}

} // namespace

float TabSubSection::boundsWidth(bool withBorderWidth) const {
    return withBorderWidth ? _borderWidth : kNormalWidth;
}

void TabSubSection::drawStartCap(ScDrawContext& ctx, bool keepColour) const {
    const GePoint2<float> p = pointAt(_from);
    if (!keepColour) {
        const UiResColor& background = ctx.getTableColor(Background);
        glColor4f(background.r, background.g, background.b, ctx.getAlpha());
    }
    line(p, p + normalAt(_from) * _borderWidth);
    if (!keepColour) glColor4f(ctx.getColor().r, ctx.getColor().g, ctx.getColor().b, ctx.getAlpha());
}

void TabSubSection::drawEndCap(ScDrawContext&) const {
    const GePoint2<float> p = pointAt(_to);
    line(p, p + normalAt(_to) * _borderWidth);
}

// Straight pieces.

void StraightTabSubSection::getBounds(GeRectangle<float>& out, bool withBorderWidth) const {
    out = GeRectangle<float>::spanning(pointAt(getFrom()),
                                       pointAt(getTo()) + normalAt(getFrom()) * boundsWidth(withBorderWidth));
}

bool StraightTabSubSection::contains(const GePoint2<float>& p) const {
    GeRectangle<float> bounds;
    getBounds(bounds, true);
    return isInside(bounds, p);
}

void StraightTabSubSection::fill(ScDrawContext&) const {
    GeRectangle<float> bounds;
    getBounds(bounds, true);
    glRectf(bounds.xMin, bounds.yMin, bounds.xMax, bounds.yMax);
}

void StraightTabSubSection::drawInnerEdge(ScDrawContext&) const {
    line(pointAt(getFrom()), pointAt(getTo()));
}

void StraightTabSubSection::drawOuterEdge(ScDrawContext&) const {
    line(pointAt(getFrom()) + normalAt(getFrom()) * getBorderWidth(),
         pointAt(getTo()) + normalAt(getTo()) * getBorderWidth());
}

// Rounded corners.

namespace {

GePoint2<float> cornerCentre(const ScRoundedBox& box, const ScRoundedBox::EdgePos& from) {
    return box.getPoint(from) - box.getNormal(from) * box.getCornerRadius();
}

void arcStrip(const ScRoundedBox& box, const TabSubSection& piece, float radius, const ScDrawContext& ctx) {
    const GePoint2<float> z = cornerCentre(box, piece.getFrom());
    glBegin(GL_LINE_STRIP);
    forEachArcAngle(ScRoundedBox::getAngle(piece.getFrom()), ScRoundedBox::getAngle(piece.getTo()), ctx.getArcStep(),
                    [&](float a) { vertex(arcPoint(z, radius, a)); });
    glEnd();
}

// Half-open, so the seam between two corner pieces over an empty side belongs to one of them.
bool withinAngles(const TabSubSection& piece, float phi) {
    return ScRoundedBox::getAngle(piece.getFrom()) <= phi && phi < ScRoundedBox::getAngle(piece.getTo());
}

} // namespace

bool RoundedCornerTabSubSection::contains(const GePoint2<float>& p) const {
    const GePoint2<float> z = cornerCentre(box(), getFrom());
    const float r = box().getCornerRadius(), d = p.distance(z);
    return r < d && d < r + getBorderWidth() && withinAngles(*this, angleAround(z, p));
}

void RoundedCornerTabSubSection::fill(ScDrawContext& ctx) const {
    const GePoint2<float> z = cornerCentre(box(), getFrom());
    const float r = box().getCornerRadius();
    glBegin(GL_QUAD_STRIP);
    forEachArcAngle(ScRoundedBox::getAngle(getFrom()), ScRoundedBox::getAngle(getTo()), ctx.getArcStep(), [&](float a) {
        vertex(arcPoint(z, r, a));
        vertex(arcPoint(z, r + getBorderWidth(), a));
    });
    glEnd();
}

void RoundedCornerTabSubSection::drawInnerEdge(ScDrawContext& ctx) const {
    arcStrip(box(), *this, box().getCornerRadius(), ctx);
}

void RoundedCornerTabSubSection::drawOuterEdge(ScDrawContext& ctx) const {
    arcStrip(box(), *this, box().getCornerRadius() + getBorderWidth(), ctx);
}

void RoundedCornerTabSubSection::getBounds(GeRectangle<float>& out, bool withBorderWidth) const {
    const float w = boundsWidth(withBorderWidth);
    const GePoint2<float> from = pointAt(getFrom()), to = pointAt(getTo());
    out = around({from, from + normalAt(getFrom()) * w, to, to + normalAt(getTo()) * w});
}

// Square corners.

SquareCornerTabSubSection::Outline SquareCornerTabSubSection::getOutline() const {
    const ScRoundedBox outer = box().expanded(getBorderWidth());
    const GePoint2<float> f = outer.getPoint(getFrom()), t = outer.getPoint(getTo());
    const GePoint2<float> q = (t.y > f.y) != (t.x > f.x) ? GePoint2<float>(t.x, f.y) : GePoint2<float>(f.x, t.y);
    return {f, q, t};
}

bool SquareCornerTabSubSection::contains(const GePoint2<float>& p) const {
    const GePoint2<float> z = cornerCentre(box(), getFrom());
    return isInside(box().expanded(getBorderWidth()).getRect(), p) && p.distance(z) > box().getCornerRadius() &&
           withinAngles(*this, angleAround(z, p));
}

void SquareCornerTabSubSection::fill(ScDrawContext& ctx) const {
    const Outline outline = getOutline();
    const GePoint2<float> z = cornerCentre(box(), getFrom());
    glBegin(GL_TRIANGLE_FAN);
    vertex(outline.corner);
    vertex(outline.from);
    forEachArcAngle(ScRoundedBox::getAngle(getFrom()), ScRoundedBox::getAngle(getTo()), ctx.getArcStep(),
                    [&](float a) { vertex(arcPoint(z, box().getCornerRadius(), a)); });
    vertex(outline.to);
    glEnd();
}

void SquareCornerTabSubSection::drawInnerEdge(ScDrawContext& ctx) const {
    arcStrip(box(), *this, box().getCornerRadius(), ctx);
}

void SquareCornerTabSubSection::drawOuterEdge(ScDrawContext&) const {
    const Outline outline = getOutline();
    glBegin(GL_LINE_STRIP);
    vertex(outline.from);
    vertex(outline.corner);
    vertex(outline.to);
    glEnd();
}

void SquareCornerTabSubSection::getBounds(GeRectangle<float>& out, bool) const {
    out = around({pointAt(getFrom()), getOutline().corner, pointAt(getTo())});
}

// Bubbles.

BubbleTabSubSection::Shape BubbleTabSubSection::getShape(float width) const {
    const ScRoundedBox::EdgePos middle = box().getOffsetPos(getFrom(), getTo(), 0.5f);
    const GeVector2<float> nFrom = normalAt(getFrom()), nTo = normalAt(getTo()), nMiddle = normalAt(middle);
    Shape shape{pointAt(getFrom()), pointAt(getTo()), pointAt(middle) + nMiddle * getBorderWidth(), nMiddle,
                ScRoundedBox::getAngle(middle)};
    if (nFrom != nTo) {
        shape.a += nFrom * width;
        shape.b += nTo * width;
    }
    return shape;
}

bool BubbleTabSubSection::contains(const GePoint2<float>& p) const {
    GeRectangle<float> bounds;
    getBounds(bounds, false);
    return isInside(bounds, p) &&
           p.distance(getShape(getBorderWidth()).k) <= box().getArcLength(getFrom(), getTo()) / 2.0f;
}

void BubbleTabSubSection::fill(ScDrawContext& ctx) const {
    const Shape shape = getShape(getBorderWidth());
    const float w = getBorderWidth(), step = ctx.getArcStep();
    const GePoint2<float> outerFrom = pointAt(getFrom()) + normalAt(getFrom()) * w;
    const GePoint2<float> outerTo = pointAt(getTo()) + normalAt(getTo()) * w;
    const float radius = outerFrom.distance(outerTo) / 2.0f, end = shape.theta + kHalfPi;
    glBegin(GL_QUAD_STRIP);
    vertex(outerFrom);
    float t = 0.0f;
    for (float a = shape.theta - kHalfPi; a < end; a += step, t += step / kPi) {
        vertex(box().getPoint(getFrom(), getTo(), t));
        vertex(arcPoint(shape.k, radius, a));
    }
    vertex(pointAt(getTo()));
    vertex(arcPoint(shape.k, radius, end));
    vertex(outerTo);
    glEnd();
}

void BubbleTabSubSection::drawStartCap(ScDrawContext&, bool) const {
    const Shape shape = getShape(getBorderWidth());
    line(shape.a, shape.a + shape.normal * getBorderWidth());
}

void BubbleTabSubSection::drawEndCap(ScDrawContext&) const {
    const Shape shape = getShape(getBorderWidth());
    line(shape.b, shape.b + shape.normal * getBorderWidth());
}

void BubbleTabSubSection::drawInnerEdge(ScDrawContext& ctx) const {
    const Shape shape = getShape(getBorderWidth());
    const float step = ctx.getArcStep(), end = shape.theta + kHalfPi;
    glBegin(GL_LINE_STRIP);
    vertex(shape.a);
    vertex(pointAt(getFrom()));
    float t = 0.0f;
    for (float a = shape.theta - kHalfPi; a < end; a += step, t += step / kPi)
        vertex(box().getPoint(getFrom(), getTo(), t));
    vertex(pointAt(getTo()));
    vertex(shape.b);
    glEnd();
}

void BubbleTabSubSection::drawOuterEdge(ScDrawContext& ctx) const {
    const Shape shape = getShape(getBorderWidth());
    const float radius = shape.a.distance(shape.b) / 2.0f, end = shape.theta + kHalfPi;
    glBegin(GL_LINE_STRIP);
    vertex(shape.a + shape.normal * getBorderWidth());
    for (float a = shape.theta - kHalfPi; a < end; a += ctx.getArcStep()) vertex(arcPoint(shape.k, radius, a));
    vertex(shape.b + shape.normal * getBorderWidth());
    glEnd();
}

void BubbleTabSubSection::getBounds(GeRectangle<float>& out, bool withBorderWidth) const {
    const float w = boundsWidth(withBorderWidth);
    const Shape shape = getShape(w);
    const GePoint2<float> middle = shape.k - shape.normal * getBorderWidth();
    const float bulge =
        w + shape.a.distance(shape.b) / 2.0f + 0.5f * ((middle - shape.a) - (shape.b - middle)).length();
    out = GeRectangle<float>::spanning(shape.a, shape.b + shape.normal * bulge);
}

} // namespace Zv
