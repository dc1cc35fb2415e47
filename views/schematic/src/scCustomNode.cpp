#include "views/schematic/src/scCustomNode.h"

#include "views/schematic/src/scCustomNodePainter.h"
#include "views/schematic/src/scDrawContext.h"

#include "platform/base/assertions.h"
#include "platform/graph/piNode.h"
#include "platform/ui/wsFont.h"

#include <algorithm>

namespace Zv {
namespace {

// The thumbnail: half the requested picture size, beside the box (below it when the flow runs right),
// clear of the strips on that side.
constexpr float kThumbnailWidth = ScIcon::kThumbnailWidth / 2.0f;
constexpr float kThumbnailHeight = ScIcon::kThumbnailHeight / 2.0f;
constexpr float kThumbnailGap = 14.0f;
// UNDER label: right of the box and reaching below it.
constexpr float kUnderLabelGap = 7.0f;
constexpr float kUnderLabelWidth = 150.0f;
constexpr float kUnderLabelDrop = 6.0f;

bool inPickReach(const GeRectangle<float>& b, const GePoint2<float>& p, float margin) {
    return b.xMin - margin <= p.x && p.x < b.xMax + margin && b.yMin - margin <= p.y && p.y < b.yMax + margin;
}

bool pickToggle(ScBorderTab* tab, const GePoint2<float>& p) {
    return tab && tab->containsAtWidth(p, ScCustomNode::kToggleHoverWidth);
}

} // namespace

ScCustomNode::ScCustomNode(ScOrientation orientation, float height, float width, float cornerRadius)
    : ScNode(orientation), _design(new ScNodeDesign(width, height, cornerRadius)) {
    setBaseSize({width, height});
}

// Hover state starts afresh; the design, and the shape while the sockets match, come along.
ScCustomNode::ScCustomNode(const ScCustomNode& other) : ScNode(other), _design(other._design), _shape(other._shape) {}

ScCustomNode::~ScCustomNode() = default;

RCStrongPtr<ScCustomNode> ScCustomNode::clone() const {
    return RCStrongPtr<ScCustomNode>(new ScCustomNode(*this));
}

ScNodeDesign& ScCustomNode::editDesign() {
    _shape.reset();
    ScSceneIndex::boundsChanged();
    if (_design->getRefCount() > 1) _design = _design->copy();
    return *_design;
}

// Elements.

void ScCustomNode::setBody(std::unique_ptr<ScImageHandler> body) {
    editDesign().editPrototypes().body = std::move(body);
}

void ScCustomNode::setNameAlignment(NameAlignment alignment) {
    editDesign().setNameAlignment(alignment);
}

void ScCustomNode::setColorKind(int colorKind) {
    editDesign().setColorKind(colorKind);
}

void ScCustomNode::setInputSet(std::unique_ptr<ScConnectionSet> set) {
    editDesign().editPrototypes().inputSet = std::move(set);
}

void ScCustomNode::setOutputSet(std::unique_ptr<ScConnectionSet> set) {
    editDesign().editPrototypes().outputSet = std::move(set);
}

void ScCustomNode::setFeedbackTab(std::unique_ptr<ScFeedbackTab> tab) {
    editDesign().editPrototypes().feedbackTab = std::move(tab);
}

void ScCustomNode::setToggleImageTab(std::unique_ptr<ScBorderTab> tab) {
    editDesign().editPrototypes().toggleImageTab = std::move(tab);
}

void ScCustomNode::setToggleIRTab(std::unique_ptr<ScToggleIRTab> tab) {
    editDesign().editPrototypes().toggleIRTab = std::move(tab);
}

void ScCustomNode::setLinkNodeIconTab(std::unique_ptr<ScBorderTab> tab) {
    editDesign().editPrototypes().linkNodeIconTab = std::move(tab);
}

void ScCustomNode::addGenericTab(std::unique_ptr<ScBorderTab> tab, const RCShdPtr<ScIcon>& icon) {
    ZV_ASSERT(tab != nullptr);
    editDesign().addGenericTab(std::move(tab), icon);
}

// Geometry.

const ScNodeShape& ScCustomNode::getShape() const {
    if (_shape.isNull()) _shape = _design->getShape(getNbInputs(), getNbOutputs());
    return *_shape;
}

ScNodeShape& ScCustomNode::getPlacedShape() const {
    getShape();
    _shape->placeAt(getPosition(), _inputsWidened, _outputsWidened);
    return *_shape;
}

GeRectangle<float> ScCustomNode::getRect() const {
    return _design->getLocalBox().getRect().translated(getPosition() - GePoint2<float>());
}

void ScCustomNode::getBoxBounds(GeRectangle<float>& out) const {
    out = getShape().getLocalBounds().translated(getPosition() - GePoint2<float>());
}

void ScCustomNode::getSize(GeVector2<float>& out) const {
    const GeRectangle<float>& bounds = getShape().getLocalBounds();
    out = {bounds.getWidth(), bounds.getHeight()};
}

GeRectangle<float> ScCustomNode::getNameRect(float ascent, float descent) const {
    const GeRectangle<float> r = getRect();
    if (getNameAlignment() == UNDER) {
        const float x = r.xMax + kUnderLabelGap, y = r.yMin - kUnderLabelDrop;
        return {x, x + kUnderLabelWidth, y, y + ascent + descent};
    }
    return {r.xMin + 5.0f, r.xMax - 5.0f, r.yMin + 3.0f, r.yMax - 3.0f};
}

GeRectangle<float> ScCustomNode::getThumbnailRect() const {
    const GeRectangle<float> r = getRect();
    const GePoint2<float> c = r.getCenter();
    if (getOrientation() == ScOrientation::Right) {
        const float top = r.yMin - kThumbnailGap;
        return {c.x - kThumbnailWidth / 2.0f, c.x + kThumbnailWidth / 2.0f, top - kThumbnailHeight, top};
    }
    const float left = r.xMax + kThumbnailGap;
    return {left, left + kThumbnailWidth, c.y - kThumbnailHeight / 2.0f, c.y + kThumbnailHeight / 2.0f};
}

void ScCustomNode::getBounds(GeRectangle<float>& out, const ScContext& ctx) const {
    getBoxBounds(out);
    if (isThumbnailShown() && !getIcon().isNull()) out.unite(getThumbnailRect().grown(kThumbnailFrame));
    if (getNameAlignment() != UNDER || ctx.getFont().isNull()) return;
    out.unite(getNameRect(ctx.getFont()->getAscent(), ctx.getFont()->getDescent()));
}

void ScCustomNode::addInput(SocketRecord& socket) {
    ScNode::addInput(socket);
    _shape.reset();
}

void ScCustomNode::addOutput(SocketRecord& socket) {
    ScNode::addOutput(socket);
    _shape.reset();
}

void ScCustomNode::clearSockets() {
    ScNode::clearSockets();
    _shape.reset();
}

int ScCustomNode::toSetIndex(const ScConnectionSet& set, int index, int n, bool isInput) const {
    const int clockwise = isInput ? getInputSetIndex(index, n) : getOutputSetIndex(index, n);
    return std::min(clockwise, set.getNbConnections() - 1);
}

int ScCustomNode::toInputSetIndex(int index) const {
    ZV_ASSERT(index >= 0);
    ZV_ASSERT(index < getNbInputs());
    const ScConnectionSet* set = getShape().getParts().inputSet.get();
    return set ? toSetIndex(*set, index, getNbInputs(), true) : index;
}

int ScCustomNode::toOutputSetIndex(int index) const {
    ZV_ASSERT(index >= 0);
    ZV_ASSERT(index < getNbOutputs());
    const ScConnectionSet* set = getShape().getParts().outputSet.get();
    return set ? toSetIndex(*set, index, getNbOutputs(), false) : index;
}

GePoint2<float> ScCustomNode::getInputConnectionPoint(int index, int) const {
    const int setIndex = toInputSetIndex(index);
    const ScConnectionSet* set = getInputSet();
    if (!set) return getPosition() - getFlowDirection() * (getShape().getLocalRect().getHeight() / 2.0f);
    return set->getConnectionPoint(setIndex);
}

GePoint2<float> ScCustomNode::getOutputConnectionPoint(int index, int) const {
    const int setIndex = toOutputSetIndex(index);
    const ScConnectionSet* set = getOutputSet();
    if (!set) return getPosition() + getFlowDirection() * (getShape().getLocalRect().getHeight() / 2.0f);
    return set->getConnectionPoint(setIndex);
}

GeVector2<float> ScCustomNode::getInputDirection(int index) const {
    const int setIndex = toInputSetIndex(index);
    const ScConnectionSet* set = getInputSet();
    return set ? getSocketDirection(*set, setIndex, true) : ScNode::getInputDirection(index);
}

GeVector2<float> ScCustomNode::getOutputDirection(int index) const {
    const int setIndex = toOutputSetIndex(index);
    const ScConnectionSet* set = getOutputSet();
    return set ? getSocketDirection(*set, setIndex, false) : ScNode::getOutputDirection(index);
}

// Picking.

bool ScCustomNode::isOnBody(const GePoint2<float>& p) const {
    const ScNodeParts& parts = getPlacedShape().getParts();
    for (const auto& tab : parts.genericTabs)
        if (tab->contains(p)) return true;
    if (getBox().contains(p)) return true;
    if (parts.feedbackTab && parts.feedbackTab->contains(p)) return true;
    if (parts.linkNodeIconTab && parts.linkNodeIconTab->contains(p)) return true;
    if (parts.inputSet && parts.inputSet->contains(p)) return true;
    if (parts.outputSet && parts.outputSet->contains(p)) return true;
    return parts.body && parts.body->contains(p);
}

bool ScCustomNode::pickSocket(const GePoint2<float>& p, bool markHovered, int& index, ScPart& partCode) {
    GeRectangle<float> bounds;
    getBoxBounds(bounds);
    if (!inPickReach(bounds, p, kPickMargin)) return false;
    if (markHovered) _inputHovered = _outputHovered = _toggleImageHovered = _toggleIRHovered = false;
    ScNodeParts& parts = getPlacedShape().getParts();
    if (parts.inputSet) {
        const int hit = parts.inputSet->pick(p, true);
        if (hit >= 0 && hit < getNbInputs()) {
            index = getInputSetIndex(hit, getNbInputs());
            partCode = ScPart::Input;
            if (markHovered) _inputHovered = true;
            return true;
        }
    }
    if (parts.outputSet) {
        const int hit = parts.outputSet->pick(p, true);
        if (hit >= 0 && hit < getNbOutputs()) {
            index = getOutputSetIndex(hit, getNbOutputs());
            partCode = ScPart::Output;
            if (markHovered) _outputHovered = true;
            return true;
        }
    }
    if (pickToggle(parts.toggleImageTab.get(), p)) {
        partCode = ScPart::FirstStrip;
        if (markHovered) _toggleImageHovered = true;
        return true;
    }
    if (isIRToggleEnabled() && pickToggle(parts.toggleIRTab.get(), p)) {
        partCode = ScPart::SecondStrip;
        if (markHovered) _toggleIRHovered = true;
        return true;
    }
    if (isOnBody(p)) {
        index = -1;
        partCode = ScPart::Body;
        return true;
    }
    return false;
}

// Drawing.

UiResColor ScCustomNode::getBodyColor() const {
    return hasColor() ? getColor() : ScNodeDesign::getColorKindColor(getColorKind());
}

// The hovered socket sets are drawn wide, and stay so for connection points and picks until the next
// drawing; in insert mode the input side shows only the arrow and keeps its width.
void ScCustomNode::drawDecorations(ScDrawContext& ctx, float alpha) {
    if (!isInsertMode()) _inputsWidened = _inputHovered;
    _outputsWidened = _outputHovered;
    ScCustomNodePainter(*this, ctx).drawDecorations(alpha);
}

void ScCustomNode::drawHighlight(ScDrawContext& ctx, float alpha) {
    ScCustomNodePainter(*this, ctx).drawHighlight(alpha);
}

void ScCustomNode::drawOutline(ScDrawContext& ctx, float) {
    ScCustomNodePainter(*this, ctx).drawOutline();
}

void ScCustomNode::drawToggleTab(ScDrawContext& ctx, float alpha) {
    ScCustomNodePainter(*this, ctx).drawToggleTab(alpha);
}

void ScCustomNode::drawName(ScDrawContext& ctx) {
    ScCustomNodePainter(*this, ctx).drawName();
}

} // namespace Zv
