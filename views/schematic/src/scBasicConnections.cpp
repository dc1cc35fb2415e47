#include "views/schematic/src/scBasicConnections.h"

#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scIconTab.h"
#include "views/schematic/src/scMarkableTab.h"
#include "views/schematic/src/scRoundedConnectionTab.h"
#include "views/schematic/src/scSquareTab.h"

#include "platform/base/assertions.h"

#include <cmath>
#include <numbers>
#include <ostream>

namespace Zv {
namespace {

class HighlightableSquareTab : public ScSquareTab, public ScMarkableTab {
public:
    using ScSquareTab::ScSquareTab;
    std::unique_ptr<ScBorderTab> clone() const override {
        return std::make_unique<HighlightableSquareTab>(getStartPos(), getEndPos(), getAnchorRBox());
    }
    int getColorIndex() const override { return getMarkedColorIndex(Tabs); }
};

class RoundedConnectionMaskingTab : public ScRoundedConnectionTab {
public:
    using ScRoundedConnectionTab::ScRoundedConnectionTab;
    std::unique_ptr<ScBorderTab> clone() const override {
        return std::make_unique<RoundedConnectionMaskingTab>(getStartPos(), getEndPos(), getAnchorRBox());
    }
    int getColorIndex() const override { return isMarked() ? TabsOutline : MaskingTab; }
};

// Where connection points sit: just outside the tab band.
constexpr float kConnectionOffset = 6.0f;

} // namespace

// Common set behaviour.

void ScBasicConnectionSet::setAnchorRBox(UPtr<ScRoundedBox> anchor) {
    _anchor = anchor;
    markDirty();
}

void ScBasicConnectionSet::setStartPosition(const EdgePos& start) {
    _start = start;
    markDirty();
}

void ScBasicConnectionSet::setEndPosition(const EdgePos& end) {
    _end = end;
    markDirty();
}

void ScBasicConnectionSet::setBorderWidth(float width) {
    _borderWidth = width;
    markDirty();
}

void ScBasicConnectionSet::setNbConnections(int n) {
    _nbConnections = n;
    markDirty();
}

void ScBasicConnectionSet::update() const {
    if (!_dirty) return;
    _tabs.clear();
    const int n = getNbConnections();
    if (n < 1) {
        _dirty = false;
        return;
    }
    ZV_ASSERT(!getAnchorRBox().isNull());
    _tabs.reserve(n);
    buildTabs(n);
    _dirty = false;
}

const ScBasicConnectionSet::Slot& ScBasicConnectionSet::getSlot(int i) const {
    update();
    checkIndex(i);
    return _tabs[i];
}

const ScBasicTab& ScBasicConnectionSet::getTab(int i) const {
    return *getSlot(i).tab;
}

ScBasicTab& ScBasicConnectionSet::getDrawnTab(int i) const {
    return *getSlot(i).tab;
}

void ScBasicConnectionSet::draw(ScDrawContext& ctx, float alpha) const {
    update();
    ctx.setState(ScDrawContext::Plain);
    for (const Slot& slot : _tabs) slot.tab->draw(ctx, alpha);
}

void ScBasicConnectionSet::drawOutline(ScDrawContext& ctx) const {
    update();
    for (const Slot& slot : _tabs) slot.tab->drawOutline(ctx);
}

void ScBasicConnectionSet::getBounds(GeRectangle<float>& out, bool withBorderWidth) const {
    update();
    out = GeRectangle<float>();
    for (const Slot& slot : _tabs) {
        GeRectangle<float> bounds;
        slot.tab->getBounds(bounds, withBorderWidth);
        out.unite(bounds);
    }
}

void ScBasicConnectionSet::dump(std::ostream& out) const {
    out << getClassWord() << "( ";
    _start.dump(out);
    out << ", ";
    _end.dump(out);
    out << " )";
}

GePoint2<float> ScBasicConnectionSet::getConnectionPoint(int i) const {
    const ScBasicTab& tab = getTab(i);
    return _anchor->expanded(kConnectionOffset).getPoint(tab.getStartPos(), tab.getEndPos(), 0.5f);
}

GeVector2<float> ScBasicConnectionSet::getConnectionNormal(int i) const {
    const ScBasicTab& tab = getTab(i);
    return _anchor->getNormal(tab.getStartPos(), tab.getEndPos(), 0.5f);
}

void ScBasicConnectionSet::setHighlighted(int i, bool highlighted) {
    if (ScMarkableTab* marks = getSlot(i).marks) marks->setHighlighted(highlighted);
}

bool ScBasicConnectionSet::isHighlighted(int i) const {
    const ScMarkableTab* marks = getSlot(i).marks;
    return marks && marks->isHighlighted();
}

void ScBasicConnectionSet::setMarked(int i, bool marked) {
    if (ScMarkableTab* marks = getSlot(i).marks) marks->setMarked(marked);
}

void ScBasicConnectionSet::setEnlarged(bool enlarged) {
    update();
    // The tabs keep their places: only their width changes, so highlights survive.
    _borderWidth = enlarged ? kEnlargedWidth : kBorderWidth;
    for (const Slot& slot : _tabs) slot.tab->setBorderWidth(_borderWidth);
}

int ScBasicConnectionSet::pick(const GePoint2<float>& p, bool enlarged) const {
    update();
    for (size_t i = 0; i < _tabs.size(); ++i)
        if (_tabs[i].tab->containsAtWidth(p, enlarged ? kEnlargedPickWidth : kPickWidth)) return static_cast<int>(i);
    return -1;
}

// Square sets.

std::unique_ptr<ScConnectionSet> ScSquareConnectionSet::clone() const {
    return std::make_unique<ScSquareConnectionSet>(getStartPosition(), getEndPosition(), getAnchorRBox());
}

ScRoundedBox::SubSectionType ScSquareConnectionSet::getSide() const {
    return ScRoundedBox::nextSection(getStartPosition().getSection());
}

void ScSquareConnectionSet::buildTabs(int n) const {
    const ScRoundedBox& anchor = *getAnchorRBox();
    const ScRoundedBox normaliser = anchor.expanded(getBorderWidth() / 1.5f);
    const float rc = anchor.getCornerRadius() + getBorderWidth();
    const auto side = getSide();
    const float sideLength = anchor.getSubSectionLength(side);
    const float total = 2.0f * rc + sideLength;
    constexpr float toFraction = 2.0f / std::numbers::pi_v<float>;
    EdgePos p = getStartPosition();
    for (int i = 1; i <= n; ++i) {
        EdgePos q = getEndPosition();
        if (i < n) {
            // A straight-line distance from the middle of the start corner, mapped onto the outline.
            const float d = static_cast<float>(i) * total / static_cast<float>(n);
            if (d < rc) q = EdgePos(getStartPosition().getSection(), 0.5f + toFraction * std::atan(d / rc));
            else if (total - d >= rc) q = EdgePos(side, sideLength > 0.0f ? (d - rc) / sideLength : 0.0f);
            else q = EdgePos(getEndPosition().getSection(), toFraction * std::atan(1.0f - (total - d) / rc));
            q = normaliser.getOffsetPosCW(q, 0.0f);
        }
        addTab(std::make_unique<HighlightableSquareTab>(p, q, getAnchorRBox()));
        p = q;
    }
}

GePoint2<float> ScSquareConnectionSet::getConnectionPoint(int i) const {
    checkIndex(i);
    ScRoundedBox squared = getAnchorRBox()->expanded(kConnectionOffset);
    squared.setCornerRadius(0.0f);
    const float n = static_cast<float>(getNbConnections());
    return squared.getPoint(EdgePos(getSide(), 0.0f), EdgePos(getSide(), 1.0f), (static_cast<float>(i) + 0.5f) / n);
}

GeVector2<float> ScSquareConnectionSet::getConnectionNormal(int i) const {
    checkIndex(i);
    return getAnchorRBox()->getNormal(EdgePos(getSide(), 0.0f));
}

// Rounded sets.

std::unique_ptr<ScConnectionSet> ScRoundedConnectionSet::clone() const {
    return std::make_unique<ScRoundedConnectionSet>(getStartPosition(), getEndPosition(), getAnchorRBox());
}

std::unique_ptr<ScRoundedConnectionTab> ScRoundedConnectionSet::createTab(int, int, const EdgePos& from,
                                                                          const EdgePos& to) const {
    return std::make_unique<ScRoundedConnectionTab>(from, to, getAnchorRBox());
}

void ScRoundedConnectionSet::buildTabs(int n) const {
    const ScRoundedBox middle = getMiddleBox();
    const float length = middle.getArcLength(getStartPosition(), getEndPosition()) / static_cast<float>(n);
    const float step = length > 0.0f ? length : 0.0f;
    EdgePos p = getStartPosition();
    for (int i = 0; i < n; ++i) {
        const EdgePos q = middle.getOffsetPosCW(p, step);
        addTab(createTab(i, n, p, q));
        p = q;
    }
}

std::unique_ptr<ScConnectionSet> ScRoundedConnectionSetWithMasking::clone() const {
    return std::make_unique<ScRoundedConnectionSetWithMasking>(_orientation, getStartPosition(), getEndPosition(),
                                                               getAnchorRBox());
}

void ScRoundedConnectionSetWithMasking::buildTabs(int n) const {
    ZV_ASSERT(getNbConnections() >= 2);
    ScRoundedConnectionSet::buildTabs(n);
}

std::unique_ptr<ScRoundedConnectionTab> ScRoundedConnectionSetWithMasking::createTab(int i, int n, const EdgePos& from,
                                                                                     const EdgePos& to) const {
    const int maskIndex = _orientation == ScOrientation::Right ? 0 : n - 1;
    if (i == maskIndex) return std::make_unique<RoundedConnectionMaskingTab>(from, to, getAnchorRBox());
    return ScRoundedConnectionSet::createTab(i, n, from, to);
}

// Single-tab sets.

std::unique_ptr<ScConnectionSet> ScSimpleConnectionSet::clone() const {
    return std::make_unique<ScSimpleConnectionSet>(getStartPosition(), getEndPosition(), getAnchorRBox());
}

void ScSimpleConnectionSet::buildTabs(int) const {
    const ScRoundedBox middle = getMiddleBox();
    const EdgePos end =
        middle.getOffsetPosCW(getStartPosition(), middle.getArcLength(getStartPosition(), getEndPosition()));
    addTab(std::make_unique<ScRoundedConnectionTab>(getStartPosition(), end, getAnchorRBox()));
}

std::unique_ptr<ScConnectionSet> ScIconConnectionSet::clone() const {
    return std::make_unique<ScIconConnectionSet>(getStartPosition(), getEndPosition(), getAnchorRBox(), _icon);
}

void ScIconConnectionSet::buildTabs(int) const {
    addTab(std::make_unique<ScIconTab>(getStartPosition(), getEndPosition(), getAnchorRBox(), _icon));
}

} // namespace Zv
