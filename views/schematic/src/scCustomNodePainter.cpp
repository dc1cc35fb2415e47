#include "views/schematic/src/scCustomNodePainter.h"

#include "views/schematic/src/scCustomNode.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scFeedbackTab.h"
#include "views/schematic/src/scToggleIRTab.h"

#include "platform/base/assertions.h"
#include "platform/ui/gfxDrawUtil.h"
#include "platform/ui/wsFont.h"

#include <GL/gl.h>

#include <algorithm>
#include <iterator>
#include <numbers>

namespace Zv {
namespace {

using EdgePos = ScRoundedBox::EdgePos;

constexpr float kHighlightWidth = 6.0f;
constexpr UiResColor kHighlightBody{0.314f, 0.314f, 0.314f};
// The body is a shade lighter at the top than at the bottom.
constexpr float kBodyShade = 0.12f;

// The outline of the node being drawn: every drawing reuses them, so drawing allocates only while
// they grow. Drawing happens on the application thread only.
std::vector<GePoint2<float>> outlinePoints;
std::vector<GeVector2<float>> outlineNormals;

} // namespace

ScCustomNodePainter::ScCustomNodePainter(const ScCustomNode& node, ScDrawContext& ctx)
    : _node(node), _ctx(ctx), _shape(node.getPlacedShape()), _parts(_shape.getParts()) {}

void ScCustomNodePainter::applySocketHighlights(ScConnectionSet& set, bool isInput) const {
    const auto& sockets = isInput ? _node.getInputs() : _node.getOutputs();
    for (size_t i = 0; i < sockets.size(); ++i) {
        const int setIndex =
            isInput ? _node.toInputSetIndex(static_cast<int>(i)) : _node.toOutputSetIndex(static_cast<int>(i));
        set.setHighlighted(setIndex, sockets[i].isHighlighted());
        set.setMarked(setIndex, sockets[i].flag || sockets[i].converted);
    }
}

// The strips show the state of the node they are drawn for.
void ScCustomNodePainter::applyNodeState() const {
    if (_parts.feedbackTab) _parts.feedbackTab->reportOn(_node.getProcessingNode().get());
    if (_parts.toggleIRTab) _parts.toggleIRTab->reportOn(_node.getProcessingNode());
    const auto width = [](bool hovered) {
        return hovered ? ScCustomNode::kToggleHoverWidth : ScCustomNode::kToggleWidth;
    };
    if (_parts.toggleImageTab) _parts.toggleImageTab->setBorderWidth(width(_node.isToggleImageHovered()));
    if (_parts.toggleIRTab) _parts.toggleIRTab->setBorderWidth(width(_node.isToggleIRHovered()));
}

void ScCustomNodePainter::buildOutline() const {
    const float step = std::max(0.1f * _ctx.getInverseScale(), 0.001f);
    const ScRoundedBox& box = _shape.getBox();
    outlinePoints.clear();
    outlineNormals.clear();
    const auto add = [&box](const EdgePos& e) {
        outlinePoints.push_back(box.getPoint(e));
        outlineNormals.push_back(box.getNormal(e));
    };
    constexpr float quarter = std::numbers::pi_v<float> / 2.0f;
    for (int s = 0; s < ScRoundedBox::kNbSections; ++s) {
        const auto section = ScRoundedBox::SubSectionType(s);
        add(EdgePos(section, 0.0f));
        if (ScRoundedBox::isCorner(section))
            for (float a = step; a < quarter; a += step) add(EdgePos(section, a / quarter));
        add(EdgePos(section, 1.0f));
    }
}

void ScCustomNodePainter::fillBox(const UiResColor& color, float alpha) const {
    buildOutline();
    const GeRectangle<float>& r = _shape.getBox().getRect();
    _ctx.setState(ScDrawContext::SmoothShading);
    glBegin(GL_POLYGON);
    for (const GePoint2<float>& p : outlinePoints) {
        const float lift = 1.0f + kBodyShade * ((p.y - r.yMin) / std::max(r.getHeight(), 1.0f) - 0.5f);
        _ctx.setColor(std::min(1.0f, color.r * lift), std::min(1.0f, color.g * lift), std::min(1.0f, color.b * lift),
                      alpha);
        glVertex2f(p.x, p.y);
    }
    glEnd();
}

void ScCustomNodePainter::drawToggle(bool irStrip, float alpha) const {
    if (ScBorderTab* tab = irStrip ? _parts.toggleIRTab.get() : _parts.toggleImageTab.get()) tab->draw(_ctx, alpha);
}

void ScCustomNodePainter::drawThumbnail(float alpha) const {
    if (!_node.isThumbnailShown() || _node.getIcon().isNull()) return;
    const GeRectangle<float> r = _node.getThumbnailRect();
    const float frame = ScCustomNode::kThumbnailFrame;
    _ctx.setState(ScDrawContext::Plain);
    _ctx.setColor(TextureBackground, alpha);
    glRectf(r.xMin - frame, r.yMin - frame, r.xMax + frame, r.yMax + frame);
    const GePoint2<float> c = r.getCenter();
    _node.getIcon()->draw(_ctx, c.x, c.y, r.getWidth(), r.getHeight(), alpha, {1.0f, 1.0f, 1.0f});
}

void ScCustomNodePainter::drawDecorations(float alpha) {
    applyNodeState();
    const UiResColor color = _node.getBodyColor();
    fillBox(color, alpha);
    if (_parts.body) _parts.body->draw(_ctx, alpha, color);
    for (const auto& tab : _parts.genericTabs) {
        _ctx.setState(ScDrawContext::Plain);
        tab->draw(_ctx, alpha);
    }
    if (ScConnectionSet* set = _parts.inputSet.get()) {
        if (_node.isInsertMode()) {
            set->drawInsertArrow(_ctx, alpha);
        } else {
            applySocketHighlights(*set, true);
            set->draw(_ctx, alpha);
        }
    }
    if (ScConnectionSet* set = _parts.outputSet.get()) {
        applySocketHighlights(*set, false);
        set->draw(_ctx, alpha);
    }
    drawToggle(false, alpha);
    drawToggle(true, alpha);
    if (_parts.feedbackTab) _parts.feedbackTab->draw(_ctx, alpha);
    if (_parts.linkNodeIconTab) {
        _ctx.setState(ScDrawContext::Plain);
        _parts.linkNodeIconTab->draw(_ctx, alpha);
    }
    drawThumbnail(alpha);
}

void ScCustomNodePainter::drawHighlight(float alpha) {
    applyNodeState();
    fillBox(kHighlightBody, alpha);
    if (_parts.body) _parts.body->draw(_ctx, alpha, kHighlightBody);
    _ctx.setState(ScDrawContext::SmoothLines);
    _ctx.setColor(TabsHighlit, alpha);
    for (const auto& tab : _parts.genericTabs) tab->drawOutline(_ctx);
    if (ScConnectionSet* set = _parts.inputSet.get()) {
        applySocketHighlights(*set, true);
        set->drawOutline(_ctx);
    }
    if (ScConnectionSet* set = _parts.outputSet.get()) {
        applySocketHighlights(*set, false);
        set->drawOutline(_ctx);
    }
    for (const ScBorderTab* tab : {_parts.toggleImageTab.get(), static_cast<ScBorderTab*>(_parts.toggleIRTab.get())})
        if (tab) tab->drawOutline(_ctx);
    if (_parts.feedbackTab) _parts.feedbackTab->drawOutline(_ctx);
    if (_parts.linkNodeIconTab) _parts.linkNodeIconTab->drawOutline(_ctx);
}

void ScCustomNodePainter::drawOutline() {
    buildOutline();
    glBegin(GL_LINE_STRIP);
    for (const GePoint2<float>& p : outlinePoints) glVertex2f(p.x, p.y);
    glEnd();
    if (_node.isHighlighted())
        GfxDrawUtil::drawCurveHighlight(outlinePoints, outlineNormals, _ctx.getColor(), kHighlightWidth,
                                        _ctx.getAlpha());
}

void ScCustomNodePainter::drawToggleTab(float alpha) {
    applyNodeState();
    drawToggle(false, alpha);
}

void ScCustomNodePainter::drawName() {
    using enum ScCustomNode::NameAlignment;
    static constexpr int alignTab[] = {WsFont::TOP, WsFont::CENTER, WsFont::BOTTOM, WsFont::CENTER};
    static_assert(std::size(alignTab) == toInt(UNDER) + 1);
    static_assert(alignTab[toInt(TOP)] == WsFont::TOP);
    static_assert(alignTab[toInt(CENTER)] == WsFont::CENTER);
    static_assert(alignTab[toInt(BOTTOM)] == WsFont::BOTTOM);
    if (_ctx.getFont().isNull()) return;
    _ctx.setState(ScDrawContext::Plain);
    const GeRectangle<float> rect = _node.getNameRect(_ctx.getFont()->getAscent(), _ctx.getFont()->getDescent());
    const ScCustomNode::NameAlignment alignment = _node.getNameAlignment();
    _node.drawText(_ctx, _node.getContextPointPrefix() + _node.getName(), rect, alignment == UNDER ? 0 : 1,
                   alignTab[toInt(alignment)]);
}

} // namespace Zv
