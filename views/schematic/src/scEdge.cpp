#include "views/schematic/src/scEdge.h"

#include "views/schematic/src/scDrawBatch.h"
#include "views/schematic/src/scDrawContext.h"

#include "platform/base/geVector2Utils.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piOutput.h"
#include "platform/ui/gfxDrawUtil.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace Zv {
namespace {

constexpr float kMinHandle = 13.0f;
constexpr float kAngularLead = 10.0f;
constexpr float kHighlightWidth = 5.0f;

// The axis direction nearest to d; a zero direction points up.
GeVector2<float> snapToAxis(const GeVector2<float>& d) {
    if (std::abs(d.x) > std::abs(d.y)) return {d.x / std::abs(d.x), 0.0f};
    if (d.y == 0.0f) return {0.0f, 1.0f};
    return {0.0f, d.y / std::abs(d.y)};
}

void include(GeRectangle<float>& r, const GePoint2<float>& p) {
    r = {std::min(r.xMin, p.x), std::max(r.xMax, p.x), std::min(r.yMin, p.y), std::max(r.yMax, p.y)};
}

// Stippled colours tell the channel layout of the image a link carries.
struct LinkLook {
    int colorId; // -1: black
    bool dashed;
};

LinkLook getLook(const ScEdge& edge) {
    if (edge.isSelected()) return {Selected, false};
    switch (edge.getSource()->getOutputChannelKind(edge.getSourceSocket())) {
    case 1: return {EdgeA, true};
    case 3: return {EdgeRGB, true};
    case 0:
    case 4: return {EdgeRGBA, false};
    }
    return {-1, false};
}

UiResColor getColor(const ScDrawContext& ctx, const LinkLook& look) {
    return look.colorId < 0 ? UiResColor{} : ctx.getTableColor(look.colorId);
}

} // namespace

ScEdge::ScEdge(const RCStrongPtr<ScNode>& source, int32_t sourceSocket, int32_t sourceFanIndex,
               const RCStrongPtr<ScNode>& target, int32_t targetSocket, int32_t targetFanIndex, int32_t tag)
    : _source(source), _sourceSocket(sourceSocket), _sourceFanIndex(sourceFanIndex), _target(target),
      _targetSocket(targetSocket), _targetFanIndex(targetFanIndex), _tag(tag) {}

ScEdge::~ScEdge() = default;

GePoint2<float> ScEdge::getMidpoint() const {
    const Ends ends = getEnds();
    return {(ends.p0.x + ends.p1.x) * 0.5f, (ends.p0.y + ends.p1.y) * 0.5f};
}

RCStrongPtr<PiOutput> ScEdge::getSourceOutput() const {
    return {};
}

RCStrongPtr<PiInput> ScEdge::getTargetInput() const {
    return {};
}

ScEdge::Ends ScEdge::getEnds() const {
    return getEnds(*_source, _sourceSocket, _sourceFanIndex, *_target, _targetSocket, _targetFanIndex);
}

ScEdge::Ends ScEdge::getEnds(const ScNode& source, int32_t sourceSocket, int32_t sourceFanIndex, const ScNode& target,
                             int32_t targetSocket, int32_t targetFanIndex) {
    return {source.getOutputConnectionPoint(sourceSocket, sourceFanIndex),
            target.getInputConnectionPoint(targetSocket, targetFanIndex), source.getOutputDirection(sourceSocket),
            target.getInputDirection(targetSocket)};
}

ScEdge::Curve ScEdge::getCurve(const ScNode& source, int32_t sourceSocket, const ScNode& target, int32_t targetSocket) {
    const Ends e = getEnds(source, sourceSocket, 0, target, targetSocket, 0);
    const Handles h = getHandles(e);
    return {e.p0, h.c0, h.c1, e.p1};
}

ScEdge::Handles ScEdge::getHandles(const Ends& e) {
    const GeVector2<float> delta = (e.p1 - e.p0) * 0.3f;
    const float k0 = std::max(std::abs(e.d0.dot(delta)), kMinHandle);
    const float k1 = std::max(std::abs(e.d1.dot(delta)), kMinHandle);
    return {e.p0 + e.d0 * k0, e.p1 + e.d1 * k1};
}

void ScEdge::getControlPoints(const GePoint2<float>& p0, const GeVector2<float>& d0, const GePoint2<float>& p1,
                              const GeVector2<float>& d1, GePoint2<float>& c0, GePoint2<float>& c1) {
    const Handles h = getHandles({p0, p1, d0, d1});
    c0 = h.c0;
    c1 = h.c1;
}

void ScEdge::buildCurve(const Ends& e, Polyline& out) {
    const Handles h = getHandles(e);
    sampleCubic(e.p0, h.c0, h.c1, e.p1, out);
}

void ScEdge::sampleCubic(const GePoint2<float>& start, const GePoint2<float>& control0, const GePoint2<float>& control1,
                         const GePoint2<float>& end, Polyline& out) {
    // B(t) = a t^3 + b t^2 + c t + p0, stepped by forward differences.
    const GeVector2<float> p0 = start.toVector(), c0 = control0.toVector(), c1 = control1.toVector(),
                           p1 = end.toVector();
    const GeVector2<float> a = p1 - p0 + (c0 - c1) * 3.0f;
    const GeVector2<float> b = (p0 + c1) * 3.0f - c0 * 6.0f;
    const GeVector2<float> c = (c0 - p0) * 3.0f;
    const float step = 1.0f / static_cast<float>(kMaxPoints - 1);
    const float step2 = step * step, step3 = step2 * step;
    GeVector2<float> f = p0, df = a * step3 + b * step2 + c * step, ddf = a * (6.0f * step3) + b * (2.0f * step2);
    const GeVector2<float> dddf = a * (6.0f * step3);
    for (int i = 0; i < kMaxPoints; ++i) {
        out.add({f.x, f.y});
        f += df;
        df += ddf;
        ddf += dddf;
    }
}

void ScEdge::buildAngular(const Ends& e, Polyline& out) {
    const GeVector2<float> s0 = snapToAxis(e.d0), s1 = snapToAxis(e.d1);
    const GeVector2<float> span = e.p1 - e.p0;
    out.add(e.p0);
    if (s0 + s1 == GeVector2<float>()) {
        if ((e.p0 + s0 * 20.0f - e.p1).dot(s0) >= 0.0f) {
            // The ends face apart and overlap: step out of each, cross over halfway, step in.
            const GeVector2<float> n(-s0.y, s0.x);
            const GeVector2<float> o = n * (span.dot(n) * 0.5f);
            const GePoint2<float> a = e.p0 + s0 * kAngularLead, b = e.p1 + s1 * kAngularLead;
            out.add(a);
            out.add(a + o);
            out.add(b - o);
            out.add(b);
        } else {
            const float m = span.dot(s0) * 0.5f;
            out.add(e.p0 + s0 * m);
            out.add(e.p1 + s1 * m);
        }
    } else {
        out.add({e.p1.x, e.p0.y});
    }
    out.add(e.p1);
}

void ScEdge::getPolyline(Polyline& out, ScLinkStyle style) const {
    buildPolyline(getEnds(), style, out);
}

void ScEdge::buildPolyline(const Ends& ends, ScLinkStyle style, Polyline& out) {
    out.count = 0;
    switch (style) {
    case ScLinkStyle::Curved: buildCurve(ends, out); return;
    case ScLinkStyle::Angular: buildAngular(ends, out); return;
    default: out.add(ends.p0); out.add(ends.p1);
    }
}

void ScEdge::getBounds(GeRectangle<float>& out, ScLinkStyle style) const {
    const Ends e = getEnds();
    out = GeRectangle<float>::spanning(e.p0, e.p1);
    if (style == ScLinkStyle::Curved) {
        const Handles h = getHandles(e);
        include(out, h.c0);
        include(out, h.c1);
    } else if (style == ScLinkStyle::Angular) {
        include(out, e.p0 + e.d0 * kAngularLead);
        include(out, e.p1 + e.d1 * kAngularLead);
    }
    include(out, e.p0 - GeVector2<float>(kPickDistance, kPickDistance));
    include(out, e.p1 + GeVector2<float>(kPickDistance, kPickDistance));
}

bool ScEdge::pick(const GePoint2<float>& p, ScLinkStyle style) const {
    const Ends e = getEnds();
    if (!GeRectangle<float>::spanning(e.p0, e.p1).grown(kPickDistance).contains(p)) return false;
    Polyline line;
    getPolyline(line, style);
    for (int i = 0; i + 1 < line.count; ++i)
        if (GeVector2Utils::distanceSquaredFromPointToLineSegment(p, line.points[i], line.points[i + 1]) <
            kPickDistance * kPickDistance)
            return true;
    return false;
}

void ScEdge::draw(ScDrawContext& ctx, ScLinkStyle style) const {
    if (_hidden) return;
    const LinkLook look = getLook(*this);
    const UiResColor color = getColor(ctx, look);
    if (look.dashed) {
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(2, 0xAAAA);
    }
    Polyline line;
    getPolyline(line, style);
    ctx.setState(ScDrawContext::SmoothLines);
    const std::span<const GePoint2<float>> points(line.points.data(), static_cast<size_t>(line.count));
    if (_highlighted) {
        std::array<GeVector2<float>, kMaxPoints> normals;
        for (int i = 0; i < line.count; ++i) {
            const GePoint2<float>& before = line.points[std::max(i - 1, 0)];
            const GePoint2<float>& after = line.points[std::min(i + 1, line.count - 1)];
            normals[i] = (after - before).perpendicularCW().normalized();
        }
        GfxDrawUtil::drawCurveHighlight(points, std::span(normals.data(), points.size()), color, kHighlightWidth, 1.0f);
    } else {
        GfxDrawUtil::drawCurve(points, color, 1.0f);
    }
    if (look.dashed) glDisable(GL_LINE_STIPPLE);
    glFlush();
}

void ScEdge::drawSimplified(ScDrawContext& ctx, ScLinkStyle style, float spacing, ScDrawBatch& batch) const {
    if (_hidden) return;
    const UiResColor color = getColor(ctx, getLook(*this));
    const Ends ends = getEnds();
    const float spacing2 = spacing * spacing;
    // Ends closer than a spacing make a dot, whatever the style.
    if ((ends.p1 - ends.p0).lengthSquared() < spacing2) {
        batch.addLine(ends.p0, ends.p1, color, 1.0f);
        return;
    }
    Polyline line;
    buildPolyline(ends, style, line);
    GePoint2<float> from = line.points[0];
    for (int i = 1; i < line.count; ++i) {
        const GePoint2<float>& to = line.points[i];
        if (i + 1 < line.count && (to - from).lengthSquared() < spacing2) continue;
        // Opaque, as the detailed line is.
        batch.addLine(from, to, color, 1.0f);
        from = to;
    }
}

} // namespace Zv
