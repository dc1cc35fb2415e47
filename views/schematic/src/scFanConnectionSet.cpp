#include "views/schematic/src/scFanConnectionSet.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/graph/piSchematicInterfaceEx.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>

namespace Zv {
namespace {

constexpr float kStemLength = 11.0f;
// Edges attach at the outer edge of their disc.
constexpr float kConnectionDistance = kStemLength + ScFanConnectionSet::kDiscRadius;

void vertex(const GePoint2<float>& p) {
    glVertex2f(p.x, p.y);
}

void circle(GLenum mode, const GePoint2<float>& centre, float radius, float step) {
    glBegin(mode);
    if (mode == GL_TRIANGLE_FAN) vertex(centre);
    for (float a = 0.0f; a < 2.0f * std::numbers::pi_v<float>; a += step)
        vertex(centre + GeVector2<float>(std::sin(a), std::cos(a)) * radius);
    if (mode == GL_TRIANGLE_FAN) vertex(centre + GeVector2<float>(0.0f, radius));
    glEnd();
}

} // namespace

std::unique_ptr<ScConnectionSet> ScFanConnectionSet::clone() const {
    return std::make_unique<ScFanConnectionSet>(getStartPosition(), getEndPosition(), getAnchorRBox());
}

void ScFanConnectionSet::setNbConnections(int n) {
    _connections.assign(static_cast<size_t>(std::max(n, 0)), Connection());
    _nbMarked = 0;
    _tab.setMarked(false);
}

void ScFanConnectionSet::setMarked(int i, bool marked) {
    checkIndex(i);
    if (_connections[i].marked == marked) return;
    _connections[i].marked = marked;
    _nbMarked += marked ? 1 : -1;
    _tab.setMarked(_nbMarked > 0);
}

ScFanConnectionSet::Base ScFanConnectionSet::getBase() const {
    const ScRoundedBox grown = getAnchorRBox()->expanded(_tab.getBorderWidth());
    const EdgePos middle = grown.getOffsetPos(getStartPosition(), getEndPosition(), 0.5f);
    return {grown.getPoint(middle), grown.getNormal(middle)};
}

float ScFanConnectionSet::getBranchOffset(int i) const {
    const float n = static_cast<float>(getNbConnections());
    return (static_cast<float>(i) - (n - 1.0f) / 2.0f) * PiSchematicInterfaceEx::getFanConnectorSpace();
}

GePoint2<float> ScFanConnectionSet::getConnectionPoint(int i) const {
    checkIndex(i);
    const Base base = getBase();
    const GePoint2<float> tip = base.point + base.normal * kConnectionDistance;
    if (getNbConnections() == 1) return tip;
    return tip + GeVector2<float>(base.normal.y, -base.normal.x) * getBranchOffset(i);
}

GeVector2<float> ScFanConnectionSet::getConnectionNormal(int i) const {
    checkIndex(i);
    return getBase().normal;
}

void ScFanConnectionSet::setHighlighted(int i, bool highlighted) {
    checkIndex(i);
    _connections[i].highlighted = highlighted;
}

bool ScFanConnectionSet::isHighlighted(int i) const {
    checkIndex(i);
    return _connections[i].highlighted;
}

int ScFanConnectionSet::pick(const GePoint2<float>& p, bool enlarged) const {
    return _tab.containsAtWidth(p, enlarged ? kEnlargedPickWidth : kPickWidth) ? 0 : -1;
}

void ScFanConnectionSet::getBounds(GeRectangle<float>& out, bool withBorderWidth) const {
    _tab.getBounds(out, withBorderWidth);
    for (int i = 0; i < getNbConnections(); ++i) {
        const GePoint2<float> centre = getConnectionPoint(i) - getBase().normal * kDiscRadius;
        out.unite(GeRectangle<float>::spanning(centre, centre).grown(kDiscRadius));
    }
}

void ScFanConnectionSet::draw(ScDrawContext& ctx, float alpha) const {
    ctx.setState(ScDrawContext::Plain);
    _tab.draw(ctx, alpha);
    const int n = getNbConnections();
    if (n < 1) return;
    const Base base = getBase();
    const GeVector2<float> across(base.normal.y, -base.normal.x);
    const GePoint2<float> bar = base.point + base.normal * kStemLength;
    // With an odd count the middle disc sits on the stem's end.
    const float stem = n % 2 == 1 ? kStemLength - kDiscRadius : kStemLength;
    ctx.setColor(TabsHighlit, alpha);
    glBegin(GL_LINES);
    vertex(base.point);
    vertex(base.point + base.normal * stem);
    for (int i = 0; i + 1 < n; ++i) {
        vertex(bar + across * getBranchOffset(i));
        vertex(bar + across * getBranchOffset(i + 1));
    }
    glEnd();
    ctx.setState(ScDrawContext::SmoothLines);
    const float step = ctx.getArcStep();
    for (int i = n - 1; i >= 0; --i) {
        const GePoint2<float> centre = bar + across * getBranchOffset(i);
        const float radius = _connections[i].radius;
        ctx.setColor(_connections[i].highlighted ? TabsHighlit : Tabs, alpha);
        circle(GL_TRIANGLE_FAN, centre, radius, step);
        ctx.setColor(TabsOutline, 1.0f);
        circle(GL_LINE_LOOP, centre, radius, step);
    }
}

void ScFanConnectionSet::dump(std::ostream& out) const {
    out << "FanConnectionSet( ";
    getStartPosition().dump(out);
    out << ", ";
    getEndPosition().dump(out);
    out << " ),connections=" << getNbConnections();
}

} // namespace Zv
