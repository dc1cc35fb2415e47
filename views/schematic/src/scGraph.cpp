#include "views/schematic/src/scGraph.h"

#include "platform/ui/gfxDrawUtil.h"
#include "platform/ui/wsFont.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scLayout.h"

#include <GL/gl.h>

#include <algorithm>

namespace Zv {
namespace {

// Touching counts as crossing: a cut through a link's end point still cuts it.
bool segmentsCross(const GePoint2<float>& a, const GePoint2<float>& b, const GePoint2<float>& c,
                   const GePoint2<float>& d) {
    const GeVector2<float> ab = b - a, cd = d - c;
    const float c1 = ab.cross(c - a), c2 = ab.cross(d - a);
    const float c3 = cd.cross(a - c), c4 = cd.cross(b - c);
    return c1 * c2 <= 0.0f && c3 * c4 <= 0.0f && !(c1 == 0.0f && c2 == 0.0f);
}

} // namespace

ScGraph::ScGraph(ScGraphInterface* owner) : _owner(owner) {}

ScGraph::~ScGraph() {
    _infoText = LiString();
    _highlight = Highlight();
    _socketMenu.reset();
    _provisionalLinks.clear();
    _groups.clear();
    _edges.clear();
    _nodes.clear();
}

void ScGraph::clear() {
    _highlight = Highlight();
    _groups.clear();
    _edges.clear();
    _nodes.clear();
}

void ScGraph::setHighlight(const Highlight& highlight) {
    if (highlight == _highlight) return;
    switchHighlight(false);
    _highlight = highlight;
    switchHighlight(true);
}

void ScGraph::switchHighlight(bool on) {
    // A negative index other than -1 wraps round to a huge one, which the node refuses.
    if (_highlight.tabIndex != -1) _highlight.node->setSocketFlag(_highlight.tabSide, _highlight.tabIndex, on);
    if (!_highlight.node.isNull()) _highlight.node->setHighlighted(on);
    else if (!_highlight.edge.isNull()) _highlight.edge->setHighlighted(on);
    else if (!_highlight.group.isNull()) _highlight.group->setHighlighted(on);
}

bool ScGraph::setDetails(int which, bool on) {
    bool& flag = detailsFlag(which);
    if (flag == on) return false;
    flag = on;
    return true;
}

void ScGraph::toggleDetails(int which) {
    bool& flag = detailsFlag(which);
    flag = !flag;
}

ScGraph::Highlight ScGraph::Pick::toHighlight() const {
    Highlight highlight;
    highlight.node = node;
    highlight.edge = edge;
    highlight.group = group;
    if (isSocketTab()) {
        highlight.tabIndex = tabIndex;
        highlight.tabSide = partCode;
    }
    return highlight;
}

namespace {

// An edge answers only near the span of its ends, which lie on its nodes' boxes, so an edge whose
// nodes are both far from the point is passed over without working out its ends.
bool isNearEnds(const ScEdge& edge, const GePoint2<float>& p) {
    GeRectangle<float> source, target;
    edge.getSource()->getBoxBounds(source);
    edge.getTarget()->getBoxBounds(target);
    return source.unite(target).grown(ScEdge::kPickDistance).contains(p);
}

bool pickNode(ScNode& node, const GePoint2<float>& p, bool markHovered, ScGraph::Pick& out) {
    int tab = -1;
    ScPart partCode = ScPart::Body;
    if (!node.pickSocket(p, markHovered, tab, partCode)) return false;
    out = {RCStrongPtr<ScNode>(&node), partCode == ScPart::Body ? -1 : tab, partCode, {}, {}};
    return true;
}

bool pickEdge(ScEdge& edge, const GePoint2<float>& p, ScLinkStyle linkStyle, ScGraph::Pick& out) {
    if (!isNearEnds(edge, p) || !edge.pick(p, linkStyle)) return false;
    out = {{}, -1, ScPart::Body, RCShdPtr<ScEdge>(&edge), {}};
    return true;
}

} // namespace

ScGraph::Pick ScGraph::pick(const GePoint2<float>& p, bool markHovered, ScLinkStyle linkStyle) {
    _pointerPosition = p;
    // An open socket menu lies over everything and stands for the socket under the pointer.
    if (!_socketMenu.isNull() && _socketMenu->update(p))
        return {_socketMenu->getNode(), _socketMenu->getCurrentSocket(), _socketMenu->getSide(), {}, {}};
    // Selected nodes are drawn last, so they are on top and asked first; within each kind the last
    // drawn is asked first. The index names the objects near the point, in set order.
    const GeRectangle<float> at(p.x, p.x, p.y, p.y);
    const std::vector<ScNode*>& nodes = _index.findNodes(at);
    Pick hit;
    for (bool selected : {true, false})
        for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
            if ((*it)->isSelected() == selected && pickNode(**it, p, markHovered, hit)) return hit;
    for (ScEdge* edge : _index.findEdges(at))
        if (pickEdge(*edge, p, linkStyle, hit)) return hit;
    const std::vector<ScGroup*>& groups = _index.findGroups(at);
    for (auto it = groups.rbegin(); it != groups.rend(); ++it)
        if ((*it)->pick(p)) return {{}, -1, ScPart::Body, {}, RCShdPtr<ScGroup>(*it)};
    return {};
}

ScGraph::Pick ScGraph::pickBeneathRaised(const GePoint2<float>& p, ScLinkStyle linkStyle) {
    const GeRectangle<float> at(p.x, p.x, p.y, p.y);
    const std::vector<ScNode*>& nodes = _index.findNodes(at);
    Pick hit;
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        if (!(*it)->isRaised() && pickNode(**it, p, false, hit)) return hit;
    for (ScEdge* edge : _index.findEdges(at))
        if (!edge->getSource()->isRaised() && !edge->getTarget()->isRaised() && pickEdge(*edge, p, linkStyle, hit))
            return hit;
    return {};
}

std::vector<RCStrongPtr<ScEdge>> ScGraph::getRaisedLinks() const {
    std::vector<RCStrongPtr<ScEdge>> links;
    for (const RCStrongPtr<ScEdge>& edge : _edges)
        if (edge->getSource()->isRaised() || edge->getTarget()->isRaised()) links.push_back(edge);
    return links;
}

std::vector<RCStrongPtr<ScGroup>> ScGraph::getGroupsOfRaised() const {
    std::vector<RCStrongPtr<ScGroup>> groups;
    for (const RCStrongPtr<ScGroup>& group : _groups)
        if (std::any_of(group->getMembers().begin(), group->getMembers().end(),
                        [](const RCStrongPtr<ScNode>& node) { return node->isRaised(); }))
            groups.push_back(group);
    return groups;
}

void ScGraph::layout(LayoutType type) {
    ScLayout(*this).run(type);
}

std::vector<RCShdPtr<ScEdge>> ScGraph::findEdgesCrossing(const GePoint2<float>& a, const GePoint2<float>& b,
                                                         ScLinkStyle linkStyle) {
    std::vector<RCShdPtr<ScEdge>> crossed;
    if (a == b) return crossed;
    const GeRectangle<float> span(std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y));
    ScEdge::Polyline line;
    for (ScEdge* edge : _index.findEdges(span)) {
        if (edge->isHidden()) continue;
        line.count = 0;
        edge->getPolyline(line, linkStyle);
        for (int i = 1; i < line.count; ++i) {
            if (!segmentsCross(a, b, line.points[i - 1], line.points[i])) continue;
            crossed.emplace_back(edge);
            break;
        }
    }
    return crossed;
}

ScGraph::ProvisionalLink ScGraph::makeProvisionalLink(const GePoint2<float>& start,
                                                      const GeVector2<float>& startDirection,
                                                      const GePoint2<float>& end,
                                                      const GeVector2<float>& endDirection) {
    GePoint2<float> control0, control1;
    ScEdge::getControlPoints(start, startDirection, end, endDirection, control0, control1);
    return {start, control0, control1, end};
}

ScDrawResult ScGraph::draw(ScDrawContext& ctx, const GeRectangle<float>& visible, ScLinkStyle linkStyle,
                           bool overlays) {
    _index.update(ctx, linkStyle);
    drawGroups(ctx, visible);
    drawEdges(ctx, visible, linkStyle);
    drawProvisionalLinks(ctx, linkStyle);
    ScNode* underPointer = drawNodes(ctx, visible);
    ScDrawResult result = overlays ? drawOverlays(ctx, underPointer) : ScDrawResult::NoOverlays;
    if (!_socketMenu.isNull() && !isShowingDetails()) _socketMenu->draw(ctx);
    return result;
}

// Selected groups go last so that they lie on top.
void ScGraph::drawGroups(ScDrawContext& ctx, const GeRectangle<float>& visible) {
    std::vector<ScGroup*> selected;
    for (ScGroup* group : _index.findGroups(visible)) {
        if (!group->getBounds().intersects(visible)) continue;
        if (group->isSelected()) selected.push_back(group);
        else group->draw(ctx);
    }
    for (ScGroup* group : selected) group->draw(ctx);
}

void ScGraph::drawEdges(ScDrawContext& ctx, const GeRectangle<float>& visible, ScLinkStyle linkStyle) {
    const bool overview = ctx.getScale() < kOverviewZoom;
    const float spacing = kOverviewLineSpacing * ctx.getInverseScale();
    for (ScEdge* edge : _index.findEdges(visible)) {
        GeRectangle<float> bounds;
        edge->getBounds(bounds, linkStyle);
        // A perfectly straight link must not give an empty rectangle.
        (_orientation != ScOrientation::Right ? bounds.xMax : bounds.yMax) += 0.1f;
        if (!bounds.intersects(visible)) continue;
        if (overview && !edge->isHighlighted()) {
            edge->drawSimplified(ctx, linkStyle, spacing, _batch);
            continue;
        }
        _batch.flush(ctx);
        edge->draw(ctx, linkStyle);
    }
    _batch.flush(ctx);
}

void ScGraph::drawProvisionalLinks(ScDrawContext& ctx, ScLinkStyle linkStyle) {
    if (_provisionalLinks.empty()) return;
    ctx.setState(ScDrawContext::SmoothLines);
    ScEdge::Polyline curve;
    for (const ProvisionalLink& link : _provisionalLinks) {
        curve.count = 0;
        // Curved, it is the cubic through its four points, sampled like a curved edge.
        if (linkStyle == ScLinkStyle::Curved)
            ScEdge::sampleCubic(link.start, link.control0, link.control1, link.end, curve);
        else {
            curve.add(link.start);
            curve.add(link.end);
        }
        GfxDrawUtil::drawCurve({curve.points.data(), static_cast<size_t>(curve.count)}, ctx.getTableColor(Selected),
                               1.0f);
    }
}

bool ScGraph::isDrawnInDetail(const ScNode& node, float zoom) const {
    if (node.isHighlighted()) return true;
    GeRectangle<float> box;
    node.getBoxBounds(box);
    return std::min(box.getWidth(), box.getHeight()) * zoom >= kNodeDetailPixels;
}

ScNode* ScGraph::drawNodes(ScDrawContext& ctx, const GeRectangle<float>& visible) {
    ScNode* underPointer = nullptr;
    auto drawOne = [&](ScNode& node) {
        if (!isDrawnInDetail(node, ctx.getScale())) {
            GeRectangle<float> box;
            node.getBoxBounds(box);
            const GePoint2<float> c = box.getCenter();
            const float halfWidth = std::max(box.getWidth(), ctx.getInverseScale()) / 2.0f;
            const float halfHeight = std::max(box.getHeight(), ctx.getInverseScale()) / 2.0f;
            _batch.addRect({c.x - halfWidth, c.x + halfWidth, c.y - halfHeight, c.y + halfHeight},
                           node.isSelected() ? ctx.getTableColor(Selected) : node.getBodyColor(), ctx.getOpacity());
            return;
        }
        _batch.flush(ctx);
        node.draw(ctx);
        if (node.isHighlighted()) underPointer = &node;
    };
    std::vector<ScNode*> onTop;
    for (ScNode* node : _index.findNodes(visible)) {
        GeRectangle<float> bounds;
        node->getBounds(bounds, ctx);
        if (!bounds.intersects(visible)) continue;
        if (node->isSelected() || node->isRaised()) onTop.push_back(node);
        else drawOne(*node);
    }
    for (ScNode* node : onTop) drawOne(*node);
    _batch.flush(ctx);
    return underPointer;
}

ScDrawResult ScGraph::drawOverlays(ScDrawContext& ctx, ScNode* underPointer) {
    if (_detailsAllNodes) {
        for (const auto& node : _nodes) node->drawDetails(ctx);
        return ScDrawResult::LabelsShown;
    }
    bool hasLabel =
        underPointer && (_detailsOneNode || (_highlight.node.get() == underPointer && _highlight.tabIndex != -1));
    if ((_detailsOneNode && !underPointer) || !_detailsOneNode) {
        if (!hasLabel) return ScDrawResult::NoLabels;
    }
    if ((!_showLabelsUnderPointer || !_socketMenu.isNull()) && !_detailsOneNode) return ScDrawResult::LabelsHidden;
    drawLabel(ctx, *underPointer);
    return ScDrawResult::LabelsShown;
}

// The label of the hovered tab, or the node's details, beside the pointer at a constant screen size.
void ScGraph::drawLabel(ScDrawContext& ctx, ScNode& node) {
    if (_detailsOneNode) {
        node.drawDetails(ctx);
        return;
    }
    const auto& sockets = _highlight.tabSide == ScPart::Input ? node.getInputs() : node.getOutputs();
    const LiString& text = sockets[_highlight.tabIndex].label;
    const WsFont& font = *ctx.getFont();
    const float scale = ctx.getScale();
    const float width = font.getStringWidth(text) + 8.0f;
    const float height = font.getAscent() + font.getDescent() + 4.0f;
    glPushMatrix();
    glTranslatef(_pointerPosition.x, _pointerPosition.y, 0.0f);
    glScalef(1.0f / scale, 1.0f / scale, 1.0f);
    ctx.setState(ScDrawContext::Plain);
    ctx.setColor(MenuBackground, 1.0f);
    glRectf(12.0f, -height - 12.0f, 12.0f + width, -12.0f);
    ctx.setColor(MenuText, 1.0f);
    font.drawString(text, 16.0f, -12.0f - height + 2.0f + font.getDescent());
    glPopMatrix();
}

} // namespace Zv
