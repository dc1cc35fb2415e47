#include "views/schematic/src/scBasicTab.h"

#include "views/schematic/src/scDrawContext.h"

#include <ostream>

namespace Zv {

void ScBasicTab::setAnchorRBox(UPtr<ScRoundedBox> anchor) {
    _anchor = anchor;
    _dirty = true;
}

void ScBasicTab::setStartPos(const EdgePos& start) {
    _start = start;
    _dirty = true;
}

void ScBasicTab::setEndPos(const EdgePos& end) {
    _end = end;
    _dirty = true;
}

void ScBasicTab::setCapsHidden(int hideStart, int hideEnd) {
    _hideStartCap = hideStart;
    _hideEndCap = hideEnd;
}

void ScBasicTab::setBorderWidth(float width) {
    _borderWidth = width;
    for (const auto& piece : _subSections) piece->setBorderWidth(width);
}

int ScBasicTab::getColorIndex() const {
    return Tabs;
}

const std::vector<std::unique_ptr<TabSubSection>>& ScBasicTab::getSubSections() const {
    update();
    return _subSections;
}

void ScBasicTab::addSubSection(const EdgePos& from, const EdgePos& to) const {
    _subSections.push_back(createSubSection(from, to));
}

void ScBasicTab::update() const {
    if (!_dirty) return;
    _subSections.clear();
    // Without a box to hang on the tab stays stale and empty until it gets one.
    if (_anchor.isNull() || _anchor->getRect().isEmpty()) return;
    const auto s0 = _start.getSection(), s1 = _end.getSection();
    if (!splitsAtSections() || (s0 == s1 && _end.getCwPercentPos() > _start.getCwPercentPos())) {
        addSubSection(_start, _end);
    } else {
        if (_start.getCwPercentPos() < 1.0f) addSubSection(_start, EdgePos(s0, 1.0f));
        for (auto s = ScRoundedBox::nextSection(s0); s != s1; s = ScRoundedBox::nextSection(s))
            addSubSection(EdgePos(s, 0.0f), EdgePos(s, 1.0f));
        if (_end.getCwPercentPos() > 0.0f) addSubSection(EdgePos(s1, 0.0f), _end);
    }
    _dirty = false;
}

void ScBasicTab::getBounds(GeRectangle<float>& out, bool withBorderWidth) const {
    out = GeRectangle<float>();
    for (const auto& piece : getSubSections()) {
        GeRectangle<float> bounds;
        piece->getBounds(bounds, withBorderWidth);
        out.unite(bounds);
    }
}

bool ScBasicTab::contains(const GePoint2<float>& p) const {
    GeRectangle<float> bounds;
    getBounds(bounds, true);
    if (bounds.isEmpty() || !TabSubSection::isInside(bounds, p)) return false;
    // The tab hangs outside the box; where its rectangle overlaps the box, the box wins.
    if (_anchor->contains(p)) return false;
    for (const auto& piece : _subSections)
        if (piece->contains(p)) return true;
    return false;
}

// The pieces are built at the tab's own width first: a bubble piece keeps the width it is built with.
bool ScBasicTab::containsAtWidth(const GePoint2<float>& p, float width) {
    update();
    const float own = _borderWidth;
    setBorderWidth(width);
    const bool hit = contains(p);
    setBorderWidth(own);
    return hit;
}

void ScBasicTab::draw(ScDrawContext& ctx, float alpha) const {
    const auto& pieces = getSubSections();
    ctx.setColor(getColorIndex(), alpha);
    for (const auto& piece : pieces) piece->fill(ctx);
    ctx.setState(ScDrawContext::SmoothLines);
    for (const auto& piece : pieces) {
        piece->drawOuterEdge(ctx);
        piece->drawInnerEdge(ctx);
    }
    if (pieces.empty()) return;
    if (!_hideStartCap) pieces.front()->drawStartCap(ctx, false);
    if (!_hideEndCap) pieces.back()->drawEndCap(ctx);
}

void ScBasicTab::drawOutline(ScDrawContext& ctx) const {
    const auto& pieces = getSubSections();
    for (const auto& piece : pieces) {
        piece->drawOuterEdge(ctx);
        piece->drawInnerEdge(ctx);
    }
    if (pieces.empty()) return;
    if (!_hideStartCap) pieces.front()->drawStartCap(ctx, true);
    if (!_hideEndCap) pieces.back()->drawEndCap(ctx);
}

void ScBasicTab::dump(std::ostream& out) const {
    const auto& pieces = getSubSections();
    out << "( ";
    if (pieces.empty()) out << "none";
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) out << ", ";
        pieces[i]->getFrom().dump(out);
        out << "-";
        pieces[i]->getTo().dump(out);
    }
    out << " )";
}

} // namespace Zv
