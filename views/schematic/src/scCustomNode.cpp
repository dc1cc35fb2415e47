#include "views/schematic/src/scCustomNode.h"

#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scTabSubSection.h"

#include "platform/base/assertions.h"
#include "platform/graph/piNode.h"
#include "platform/ui/gfxDrawUtil.h"
#include "platform/ui/wsFont.h"

#include <GL/gl.h>

#include <algorithm>
#include <numbers>

namespace Zv {
namespace {

using EdgePos = ScRoundedBox::EdgePos;

constexpr float kHighlightWidth = 6.0f;
constexpr UiResColor kHighlightBody{0.314f, 0.314f, 0.314f};
// Bands are moved apart on the outline of the box grown by this much, to this gap.
constexpr float kBandBoxGrowth = 3.0f;
constexpr float kBandGap = 1.0f;
// The body is a shade lighter at the top than at the bottom.
constexpr float kBodyShade = 0.12f;
// The thumbnail: half the requested picture size, beside the box (below it when the flow runs right),
// clear of the strips on that side, on a dark frame.
constexpr float kThumbnailWidth = ScIcon::kThumbnailWidth / 2.0f;
constexpr float kThumbnailHeight = ScIcon::kThumbnailHeight / 2.0f;
constexpr float kThumbnailGap = 14.0f;
constexpr float kThumbnailFrame = 2.0f;
// UNDER label: right of the box and reaching below it.
constexpr float kUnderLabelGap = 7.0f;
constexpr float kUnderLabelWidth = 150.0f;
constexpr float kUnderLabelDrop = 6.0f;

float sortKey(const EdgePos& p) {
    return static_cast<float>(p.getSection()) + p.getCwPercentPos();
}

// Where the perimeter positions of two neighbouring bands meet exactly.
bool isSamePoint(const EdgePos& a, const EdgePos& b) {
    if (a == b) return true;
    const auto touches = [](const EdgePos& x, const EdgePos& y) {
        return x.getCwPercentPos() == 1.0f && y.getCwPercentPos() == 0.0f &&
               ScRoundedBox::nextSection(x.getSection()) == y.getSection();
    };
    return touches(a, b) || touches(b, a);
}

// Measures that count only section and fraction, whatever the node's size.
const ScRoundedBox& referenceBox() {
    static const ScRoundedBox box(GeRectangle<float>(-1.5f, 1.5f, -1.5f, 1.5f), 1.0f);
    return box;
}

template <class T>
std::unique_ptr<T> cloneOf(const std::unique_ptr<T>& prototype) {
    if (!prototype) return nullptr;
    return std::unique_ptr<T>(static_cast<T*>(prototype->clone().release()));
}

bool inPickReach(const GeRectangle<float>& b, const GePoint2<float>& p, float margin) {
    return b.xMin - margin <= p.x && p.x < b.xMax + margin && b.yMin - margin <= p.y && p.y < b.yMax + margin;
}

} // namespace

ScCustomNode::ScCustomNode(int32_t orientation, float height, float width, float cornerRadius)
    : ScNode(orientation),
      _box(GeRectangle<float>(-width / 2.0f, width / 2.0f, -height / 2.0f, height / 2.0f),
           std::min(cornerRadius, std::min(width, height) / 2.0f)) {
    setBaseSize({width, height});
}

// The outline buffers and hover state start afresh; the layout and bounds come along.
ScCustomNode::ScCustomNode(const ScCustomNode& other, const RCStrongPtr<PiNode>& node)
    : ScNode(other), _box(other._box), _layoutDirty(other._layoutDirty), _boundsDirty(other._boundsDirty),
      _localBounds(other._localBounds), _body(other._body ? other._body->clone() : nullptr),
      _nameAlignment(other._nameAlignment), _colorKind(other._colorKind), _genericIcons(other._genericIcons),
      _fixedBounds(other._fixedBounds), _fixedBoundsAt(other._fixedBoundsAt),
      _fixedBoundsDirty(other._fixedBoundsDirty) {
    if (_body) _body->setAnchorRBox(&_box);
    _isPrototype = node.isNull();
    // Only a prototype's parts never change, so only they are shared.
    if (!_isPrototype) _source = other._isPrototype ? RCStrongPtr<const ScCustomNode>(&other) : other._source;
    if (_source.isNull()) copyParts(other.getPrototypes(), _prototypes, node);
    else _sourceNode = node;
    copyParts(other._working, _working, node);
    if (_working.inputSet) _working.inputSet->setNbConnections(getNbInputs());
    if (_working.outputSet) _working.outputSet->setNbConnections(getNbOutputs());
}

ScCustomNode::~ScCustomNode() = default;

void ScCustomNode::ownPrototypes() {
    if (_source.isNull()) return;
    copyParts(_source->_prototypes, _prototypes, _sourceNode);
    _source.reset();
    _sourceNode.reset();
}

RCStrongPtr<ScCustomNode> ScCustomNode::cloneFor(const RCStrongPtr<PiNode>& node) const {
    GeRectangle<float> bounds;
    getBoxBounds(bounds);
    return RCStrongPtr<ScCustomNode>(new ScCustomNode(*this, node));
}

void ScCustomNode::copyParts(const Parts& from, Parts& to, const RCStrongPtr<PiNode>& node) {
    const auto copy = [&](const auto& part) -> decltype(part->clone()) {
        if (!part) return nullptr;
        auto copied = part->cloneFor(node);
        copied->setAnchorRBox(&_box);
        return copied;
    };
    to.inputSet = copy(from.inputSet);
    to.outputSet = copy(from.outputSet);
    to.feedbackTab = copy(from.feedbackTab);
    to.toggleImageTab = copy(from.toggleImageTab);
    to.toggleIRTab = copy(from.toggleIRTab);
    to.linkNodeIconTab = copy(from.linkNodeIconTab);
    to.genericTabs.clear();
    to.genericTabs.reserve(from.genericTabs.size());
    for (const auto& tab : from.genericTabs) to.genericTabs.push_back(copy(tab));
}

// Bands.

EdgePos ScCustomNode::Band::getStart() const {
    return set ? set->getStartPosition() : tab->getStartPos();
}

EdgePos ScCustomNode::Band::getEnd() const {
    return set ? set->getEndPosition() : tab->getEndPos();
}

void ScCustomNode::Band::setStart(const EdgePos& p) const {
    if (set) set->setStartPosition(p);
    else tab->setStartPos(p);
}

void ScCustomNode::Band::setEnd(const EdgePos& p) const {
    if (set) set->setEndPosition(p);
    else tab->setEndPos(p);
}

// Elements.

template <class T>
void ScCustomNode::adopt(std::unique_ptr<T>& slot, std::unique_ptr<T> element) {
    ownPrototypes();
    if (element) element->setAnchorRBox(&_box);
    slot = std::move(element);
    markLayoutDirty();
}

void ScCustomNode::setBody(std::unique_ptr<ScImageHandler> body) {
    _body = std::move(body);
    if (_body) _body->setAnchorRBox(&_box);
}

void ScCustomNode::setInputSet(std::unique_ptr<ScConnectionSet> set) {
    adopt(_prototypes.inputSet, std::move(set));
}

void ScCustomNode::setOutputSet(std::unique_ptr<ScConnectionSet> set) {
    adopt(_prototypes.outputSet, std::move(set));
}

void ScCustomNode::setFeedbackTab(std::unique_ptr<ScConnectionSet> tab) {
    adopt(_prototypes.feedbackTab, std::move(tab));
}

void ScCustomNode::setToggleImageTab(std::unique_ptr<ScBorderTab> tab) {
    adopt(_prototypes.toggleImageTab, std::move(tab));
}

void ScCustomNode::setToggleIRTab(std::unique_ptr<ScBorderTab> tab) {
    adopt(_prototypes.toggleIRTab, std::move(tab));
}

void ScCustomNode::setLinkNodeIconTab(std::unique_ptr<ScBorderTab> tab) {
    adopt(_prototypes.linkNodeIconTab, std::move(tab));
}

void ScCustomNode::addGenericTab(std::unique_ptr<ScBorderTab> tab, const RCShdPtr<ScIcon>& icon) {
    ZV_ASSERT(tab != nullptr);
    ownPrototypes();
    tab->setAnchorRBox(&_box);
    // Kept in perimeter order, so drawing and picking go round the box.
    const auto at = std::upper_bound(_prototypes.genericTabs.begin(), _prototypes.genericTabs.end(), tab,
                                     [](const auto& a, const auto& b) {
                                         return sortKey(a->getStartPos()) < sortKey(b->getStartPos());
                                     });
    _genericIcons.insert(_genericIcons.begin() + (at - _prototypes.genericTabs.begin()), icon);
    _prototypes.genericTabs.insert(at, std::move(tab));
    markLayoutDirty();
}

const ScConnectionSet* ScCustomNode::getInputSet() const {
    update();
    return _working.inputSet.get();
}

const ScConnectionSet* ScCustomNode::getOutputSet() const {
    update();
    return _working.outputSet.get();
}

const ScBorderTab* ScCustomNode::getToggleImageTab() const {
    update();
    return _working.toggleImageTab.get();
}

const ScBorderTab* ScCustomNode::getToggleIRTab() const {
    update();
    return _working.toggleIRTab.get();
}

const ScConnectionSet* ScCustomNode::getFeedbackTab() const {
    update();
    return _working.feedbackTab.get();
}

const ScBorderTab* ScCustomNode::getLinkNodeIconTab() const {
    update();
    return _working.linkNodeIconTab.get();
}

const ScBorderTab& ScCustomNode::getGenericTab(int i) const {
    update();
    return *_working.genericTabs.at(i);
}

// Layout step.

void ScCustomNode::update() const {
    if (!_layoutDirty) return;
    cloneParts();
    separateBands();
    _layoutDirty = false;
    _boundsDirty = true;
    _fixedBoundsDirty = true;
}

void ScCustomNode::cloneParts() const {
    const Parts& prototypes = getPrototypes();
    _working.inputSet = cloneOf(prototypes.inputSet);
    _working.outputSet = cloneOf(prototypes.outputSet);
    _working.feedbackTab = cloneOf(prototypes.feedbackTab);
    _working.toggleImageTab = cloneOf(prototypes.toggleImageTab);
    _working.toggleIRTab = cloneOf(prototypes.toggleIRTab);
    _working.linkNodeIconTab = cloneOf(prototypes.linkNodeIconTab);
    _working.genericTabs.clear();
    for (const auto& tab : prototypes.genericTabs) _working.genericTabs.push_back(tab->clone());
    if (_working.inputSet) _working.inputSet->setNbConnections(getNbInputs());
    if (_working.outputSet) _working.outputSet->setNbConnections(getNbOutputs());
}

void ScCustomNode::separateBands() const {
    std::vector<Band> bands;
    for (ScConnectionSet* set : {_working.inputSet.get(), _working.outputSet.get(), _working.feedbackTab.get()})
        if (set) bands.push_back({set, nullptr});
    for (ScBorderTab* tab : {_working.toggleImageTab.get(), _working.toggleIRTab.get(), _working.linkNodeIconTab.get()})
        if (tab) bands.push_back({nullptr, tab});
    for (const auto& tab : _working.genericTabs) bands.push_back({nullptr, tab.get()});
    if (bands.size() < 2) return;
    std::stable_sort(bands.begin(), bands.end(),
                     [](const Band& a, const Band& b) { return sortKey(a.getStart()) < sortKey(b.getStart()); });
    const ScRoundedBox& ref = referenceBox();
    const ScRoundedBox grown = _box.expanded(kBandBoxGrowth);
    for (size_t i = 0; i < bands.size(); ++i) {
        const Band& a = bands[i];
        const Band& b = bands[(i + 1) % bands.size()];
        const EdgePos aStart = a.getStart(), aEnd = a.getEnd(), bStart = b.getStart();
        const float toB = ref.getArcLength(aStart, bStart);
        if (!(toB < ref.getArcLength(grown.getOffsetPosCW(aEnd, kBandGap), bStart))) continue;
        EdgePos meet = aEnd;
        if (!isSamePoint(aEnd, bStart)) {
            // B starting inside A: meet in the middle of the overlap; else in the middle of the short gap.
            const bool overlaps = toB < ref.getArcLength(aStart, aEnd);
            meet = overlaps ? grown.getOffsetPos(bStart, aEnd, 0.5f) : grown.getOffsetPos(aEnd, bStart, 0.5f);
        }
        a.setEnd(grown.getOffsetPosCW(meet, -kBandGap / 2.0f));
        b.setStart(grown.getOffsetPosCW(meet, kBandGap / 2.0f));
    }
}

// Geometry.

void ScCustomNode::setPosition(const GePoint2<float>& position) {
    _box.setRect(_box.getRect().translated(position - getPosition()));
    ScNode::setPosition(position);
}

void ScCustomNode::getBoxBounds(GeRectangle<float>& out) const {
    out = getLocalBounds().translated(getPosition() - GePoint2<float>());
}

const GeRectangle<float>& ScCustomNode::getLocalBounds() const {
    update();
    if (_boundsDirty) {
        _localBounds = computeBoxBounds().translated(GePoint2<float>() - getPosition());
        _boundsDirty = false;
    }
    return _localBounds;
}

GeRectangle<float> ScCustomNode::computeBoxBounds() const {
    GeRectangle<float> out = getFixedBounds();
    out.unite(getSocketSetBounds(_working.inputSet.get(), true));
    out.unite(getSocketSetBounds(_working.outputSet.get(), false));
    return out;
}

GeRectangle<float> ScCustomNode::getSocketSetBounds(const ScConnectionSet* set, bool isInput) const {
    GeRectangle<float> bounds;
    if (!set) return bounds;
    // Tabs are laid out on the band's width, so only an unenlarged set matches the source's.
    const ScConnectionSet* sourceSet =
        _source.isNull() ? nullptr : (isInput ? _source->_working.inputSet : _source->_working.outputSet).get();
    if (sourceSet && getPosition() == _source->getPosition() && set->getBorderWidth() == sourceSet->getBorderWidth())
        return _source->getKeptSocketSetBounds(isInput, set->getNbConnections());
    set->getBounds(bounds, false);
    return bounds;
}

const GeRectangle<float>& ScCustomNode::getKeptSocketSetBounds(bool isInput, int n) const {
    auto& kept = _keptSocketSetBounds[isInput ? 0 : 1];
    if (kept.size() <= static_cast<size_t>(n)) kept.resize(n + 1);
    if (!kept[n]) {
        const auto set = (isInput ? _working.inputSet : _working.outputSet)->clone();
        set->setNbConnections(n);
        GeRectangle<float> bounds;
        set->getBounds(bounds, false);
        kept[n] = bounds;
    }
    return *kept[n];
}

const GeRectangle<float>& ScCustomNode::getFixedBounds() const {
    if (!_fixedBoundsDirty && _fixedBoundsAt == getPosition()) return _fixedBounds;
    GeRectangle<float>& out = _fixedBounds;
    GeRectangle<float> bounds;
    out = _box.getRect();
    if (_working.feedbackTab) {
        _working.feedbackTab->getBounds(bounds, false);
        out.unite(bounds);
    }
    for (const ScBorderTab* tab : {_working.toggleImageTab.get(), _working.toggleIRTab.get(), _working.linkNodeIconTab.get()}) {
        if (!tab) continue;
        tab->getBounds(bounds, false);
        out.unite(bounds);
    }
    for (const auto& tab : _working.genericTabs) {
        tab->getBounds(bounds, false);
        out.unite(bounds);
    }
    _fixedBoundsAt = getPosition();
    _fixedBoundsDirty = false;
    return out;
}

// Measured on the bounds relative to the position, so moving the node never changes its size.
void ScCustomNode::getSize(GeVector2<float>& out) const {
    const GeRectangle<float>& bounds = getLocalBounds();
    out = {bounds.getWidth(), bounds.getHeight()};
}

GeRectangle<float> ScCustomNode::getNameRect(float ascent, float descent) const {
    const GeRectangle<float>& r = _box.getRect();
    if (_nameAlignment == UNDER) {
        const float x = r.xMax + kUnderLabelGap, y = r.yMin - kUnderLabelDrop;
        return {x, x + kUnderLabelWidth, y, y + ascent + descent};
    }
    return {r.xMin + 5.0f, r.xMax - 5.0f, r.yMin + 3.0f, r.yMax - 3.0f};
}

void ScCustomNode::getBounds(GeRectangle<float>& out, const ScContext& ctx) const {
    getBoxBounds(out);
    if (isThumbnailShown() && !getIcon().isNull()) out.unite(getThumbnailRect().grown(kThumbnailFrame));
    if (_nameAlignment != UNDER || ctx.getFont().isNull()) return;
    out.unite(getNameRect(ctx.getFont()->getAscent(), ctx.getFont()->getDescent()));
}

void ScCustomNode::addInput(SocketRecord& socket) {
    ScNode::addInput(socket);
    if (!_layoutDirty && _working.inputSet) _working.inputSet->setNbConnections(getNbInputs());
    _boundsDirty = true;
}

void ScCustomNode::addOutput(SocketRecord& socket) {
    ScNode::addOutput(socket);
    if (!_layoutDirty && _working.outputSet) _working.outputSet->setNbConnections(getNbOutputs());
    _boundsDirty = true;
}

int ScCustomNode::toSetIndex(const ScConnectionSet& set, int index, int n, bool isInput) const {
    const int clockwise = isInput ? getInputSetIndex(index, n) : getOutputSetIndex(index, n);
    return std::min(clockwise, set.getNbConnections() - 1);
}

int ScCustomNode::mapInputIndex(int index) const {
    ZV_ASSERT(index >= 0);
    ZV_ASSERT(index < getNbInputs());
    update();
    return _working.inputSet ? toSetIndex(*_working.inputSet, index, getNbInputs(), true) : index;
}

int ScCustomNode::mapOutputIndex(int index) const {
    ZV_ASSERT(index >= 0);
    ZV_ASSERT(index < getNbOutputs());
    update();
    return _working.outputSet ? toSetIndex(*_working.outputSet, index, getNbOutputs(), false) : index;
}

GePoint2<float> ScCustomNode::getInputConnectionPoint(int index, int) const {
    const int setIndex = mapInputIndex(index);
    if (!_working.inputSet) return getPosition() - getFlowDirection() * (_box.getRect().getHeight() / 2.0f);
    return _working.inputSet->getConnectionPoint(setIndex);
}

GePoint2<float> ScCustomNode::getOutputConnectionPoint(int index, int) const {
    const int setIndex = mapOutputIndex(index);
    if (!_working.outputSet) return getPosition() + getFlowDirection() * (_box.getRect().getHeight() / 2.0f);
    return _working.outputSet->getConnectionPoint(setIndex);
}

GeVector2<float> ScCustomNode::getInputDirection(int index) const {
    const int setIndex = mapInputIndex(index);
    if (!_working.inputSet) return ScNode::getInputDirection(index);
    return getSocketDirection(*_working.inputSet, setIndex, true);
}

GeVector2<float> ScCustomNode::getOutputDirection(int index) const {
    const int setIndex = mapOutputIndex(index);
    if (!_working.outputSet) return ScNode::getOutputDirection(index);
    return getSocketDirection(*_working.outputSet, setIndex, false);
}

// Picking.

bool ScCustomNode::pickToggle(ScBorderTab* tab, const GePoint2<float>& p) {
    return tab && tab->containsAtWidth(p, kToggleHoverWidth);
}

bool ScCustomNode::isOnBody(const GePoint2<float>& p) const {
    for (const auto& tab : _working.genericTabs)
        if (tab->contains(p)) return true;
    if (_box.contains(p)) return true;
    if (_working.feedbackTab && _working.feedbackTab->contains(p)) return true;
    if (_working.linkNodeIconTab && _working.linkNodeIconTab->contains(p)) return true;
    if (_working.inputSet && _working.inputSet->contains(p)) return true;
    if (_working.outputSet && _working.outputSet->contains(p)) return true;
    return _body && _body->contains(p);
}

bool ScCustomNode::pickSocket(const GePoint2<float>& p, bool markHovered, int& index, int& partCode) {
    update();
    GeRectangle<float> bounds;
    getBoxBounds(bounds);
    if (!inPickReach(bounds, p, kPickMargin)) return false;
    if (markHovered) _inputEnlarged = _outputEnlarged = _toggleImageEnlarged = _toggleIREnlarged = false;
    if (_working.inputSet) {
        const int hit = _working.inputSet->pick(p, true);
        if (hit >= 0 && hit < getNbInputs()) {
            index = getInputSetIndex(hit, getNbInputs());
            partCode = 0;
            if (markHovered) _inputEnlarged = true;
            return true;
        }
    }
    if (_working.outputSet) {
        const int hit = _working.outputSet->pick(p, true);
        if (hit >= 0 && hit < getNbOutputs()) {
            index = getOutputSetIndex(hit, getNbOutputs());
            partCode = 1;
            if (markHovered) _outputEnlarged = true;
            return true;
        }
    }
    if (pickToggle(_working.toggleImageTab.get(), p)) {
        partCode = 2;
        if (markHovered) _toggleImageEnlarged = true;
        return true;
    }
    if (isIRToggleEnabled() && pickToggle(_working.toggleIRTab.get(), p)) {
        partCode = 3;
        if (markHovered) _toggleIREnlarged = true;
        return true;
    }
    if (isOnBody(p)) {
        index = -1;
        partCode = 4;
        return true;
    }
    return false;
}

// Drawing.

UiResColor ScCustomNode::getColorKindColor(int colorKind) {
    static const UiResColor colors[] = {{0.314f, 0.314f, 0.314f}, {0.44f, 0.518f, 0.463f}, {0.345f, 0.192f, 0.192f},
                                        {0.195f, 0.195f, 0.195f}, {0.431f, 0.431f, 0.431f}, {1.0f, 1.0f, 1.0f}};
    ZV_ASSERT(colorKind >= TOOL && colorKind <= WHITE);
    return colors[colorKind];
}

UiResColor ScCustomNode::getBodyColor() const {
    return hasColor() ? getColor() : getColorKindColor(_colorKind);
}

void ScCustomNode::buildOutline(float step) const {
    _outlinePoints.clear();
    _outlineNormals.clear();
    const auto add = [this](const EdgePos& e) {
        _outlinePoints.push_back(_box.getPoint(e));
        _outlineNormals.push_back(_box.getNormal(e));
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

void ScCustomNode::fillBox(ScDrawContext& ctx, const UiResColor& color, float alpha) const {
    buildOutline(std::max(0.1f * ctx.getInverseScale(), 0.001f));
    const GeRectangle<float>& r = _box.getRect();
    ctx.setState(ScDrawContext::SmoothShading);
    glBegin(GL_POLYGON);
    for (const GePoint2<float>& p : _outlinePoints) {
        const float lift = 1.0f + kBodyShade * ((p.y - r.yMin) / std::max(r.getHeight(), 1.0f) - 0.5f);
        ctx.setColor(std::min(1.0f, color.r * lift), std::min(1.0f, color.g * lift), std::min(1.0f, color.b * lift),
                     alpha);
        glVertex2f(p.x, p.y);
    }
    glEnd();
}

void ScCustomNode::applySocketHighlights(ScConnectionSet& set, const std::vector<SocketRecord>& sockets,
                                         bool isInput) const {
    const int n = static_cast<int>(sockets.size());
    for (int i = 0; i < n; ++i) {
        const int setIndex = toSetIndex(set, i, n, isInput);
        set.setHighlighted(setIndex, sockets[i].isHighlighted());
        set.setMarked(setIndex, sockets[i].flag);
    }
}

void ScCustomNode::drawToggle(ScDrawContext& ctx, ScBorderTab* tab, bool enlarged, float alpha) const {
    if (!tab) return;
    tab->setBorderWidth(enlarged ? kToggleHoverWidth : kToggleWidth);
    tab->draw(ctx, alpha);
}

void ScCustomNode::drawDecorations(ScDrawContext& ctx, float alpha) {
    update();
    const UiResColor color = getBodyColor();
    fillBox(ctx, color, alpha);
    if (_body) _body->draw(ctx, alpha, color);
    for (const auto& tab : _working.genericTabs) {
        ctx.setState(ScDrawContext::Plain);
        tab->draw(ctx, alpha);
    }
    if (ScConnectionSet* set = _working.inputSet.get()) {
        if (isInsertMode()) {
            set->drawInsertArrow(ctx, alpha);
        } else {
            applySocketHighlights(*set, getInputs(), true);
            set->setEnlarged(_inputEnlarged);
            set->draw(ctx, alpha);
        }
    }
    if (ScConnectionSet* set = _working.outputSet.get()) {
        applySocketHighlights(*set, getOutputs(), false);
        set->setEnlarged(_outputEnlarged);
        set->draw(ctx, alpha);
    }
    drawToggle(ctx, _working.toggleImageTab.get(), _toggleImageEnlarged, alpha);
    drawToggle(ctx, _working.toggleIRTab.get(), _toggleIREnlarged, alpha);
    if (_working.feedbackTab) _working.feedbackTab->draw(ctx, alpha);
    if (_working.linkNodeIconTab) {
        ctx.setState(ScDrawContext::Plain);
        _working.linkNodeIconTab->draw(ctx, alpha);
    }
    if (isThumbnailShown() && !getIcon().isNull()) {
        const GeRectangle<float> r = getThumbnailRect();
        ctx.setState(ScDrawContext::Plain);
        ctx.setColor(TextureBackground, alpha);
        glRectf(r.xMin - kThumbnailFrame, r.yMin - kThumbnailFrame, r.xMax + kThumbnailFrame, r.yMax + kThumbnailFrame);
        const GePoint2<float> c = r.getCenter();
        getIcon()->draw(ctx, c.x, c.y, r.getWidth(), r.getHeight(), alpha, {1.0f, 1.0f, 1.0f});
    }
}

GeRectangle<float> ScCustomNode::getThumbnailRect() const {
    const GeRectangle<float>& r = _box.getRect();
    const GePoint2<float> c = r.getCenter();
    if (getOrientation() == 1) {
        const float top = r.yMin - kThumbnailGap;
        return {c.x - kThumbnailWidth / 2.0f, c.x + kThumbnailWidth / 2.0f, top - kThumbnailHeight, top};
    }
    const float left = r.xMax + kThumbnailGap;
    return {left, left + kThumbnailWidth, c.y - kThumbnailHeight / 2.0f, c.y + kThumbnailHeight / 2.0f};
}

void ScCustomNode::drawHighlight(ScDrawContext& ctx, float alpha) {
    update();
    fillBox(ctx, kHighlightBody, alpha);
    if (_body) _body->draw(ctx, alpha, kHighlightBody);
    ctx.setState(ScDrawContext::SmoothLines);
    ctx.setColor(TabsHighlit, alpha);
    for (const auto& tab : _working.genericTabs) tab->drawOutline(ctx);
    if (ScConnectionSet* set = _working.inputSet.get()) {
        applySocketHighlights(*set, getInputs(), true);
        set->drawOutline(ctx);
    }
    if (ScConnectionSet* set = _working.outputSet.get()) {
        applySocketHighlights(*set, getOutputs(), false);
        set->drawOutline(ctx);
    }
    for (const ScBorderTab* tab : {_working.toggleImageTab.get(), _working.toggleIRTab.get()})
        if (tab) tab->drawOutline(ctx);
    if (_working.feedbackTab) _working.feedbackTab->drawOutline(ctx);
    if (_working.linkNodeIconTab) _working.linkNodeIconTab->drawOutline(ctx);
}

void ScCustomNode::drawOutline(ScDrawContext& ctx, float alpha) {
    update();
    buildOutline(std::max(0.1f * ctx.getInverseScale(), 0.001f));
    glBegin(GL_LINE_STRIP);
    for (const GePoint2<float>& p : _outlinePoints) glVertex2f(p.x, p.y);
    glEnd();
    if (isHighlighted())
        GfxDrawUtil::drawCurveHighlight(_outlinePoints, _outlineNormals, ctx.getColor(), kHighlightWidth, ctx.getAlpha());
}

void ScCustomNode::drawToggleTab(ScDrawContext& ctx, float alpha) {
    update();
    drawToggle(ctx, _working.toggleImageTab.get(), _toggleImageEnlarged, alpha);
}

void ScCustomNode::drawName(ScDrawContext& ctx) {
    static constexpr int alignTab[] = {WsFont::TOP, WsFont::CENTER, WsFont::BOTTOM, WsFont::CENTER};
    ZV_ASSERT(alignTab[ TOP ] == WsFont::TOP);
    ZV_ASSERT(alignTab[ CENTER ] == WsFont::CENTER);
    ZV_ASSERT(alignTab[ BOTTOM ] == WsFont::BOTTOM);
    if (ctx.getFont().isNull()) return;
    ctx.setState(ScDrawContext::Plain);
    const GeRectangle<float> rect = getNameRect(ctx.getFont()->getAscent(), ctx.getFont()->getDescent());
    drawText(ctx, getContextPointPrefix() + getName(), rect, _nameAlignment == UNDER ? 0 : 1, alignTab[_nameAlignment]);
}

} // namespace Zv
