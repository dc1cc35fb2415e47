#include "views/schematic/src/scNodeShape.h"

#include "views/schematic/src/scNodeDesign.h"

#include <algorithm>

namespace Zv {
namespace {

using EdgePos = ScRoundedBox::EdgePos;

// Bands are moved apart on the outline of the box grown by this much, to this gap.
constexpr float kBandBoxGrowth = 3.0f;
constexpr float kBandGap = 1.0f;

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
std::unique_ptr<T> copyOf(const std::unique_ptr<T>& part, UPtr<ScRoundedBox> box) {
    if (!part) return nullptr;
    std::unique_ptr<T> copied(static_cast<T*>(part->clone().release()));
    copied->setAnchorRBox(box);
    return copied;
}

// A set or a tab on the outline, for the band layout.
struct Band {
    ScConnectionSet* set = nullptr;
    ScBorderTab* tab = nullptr;

    EdgePos getStart() const { return set ? set->getStartPosition() : tab->getStartPos(); }
    EdgePos getEnd() const { return set ? set->getEndPosition() : tab->getEndPos(); }
    void setStart(const EdgePos& p) const {
        if (set) set->setStartPosition(p);
        else tab->setStartPos(p);
    }
    void setEnd(const EdgePos& p) const {
        if (set) set->setEndPosition(p);
        else tab->setEndPos(p);
    }
};

} // namespace

ScNodeParts ScNodeParts::copyOn(UPtr<ScRoundedBox> box) const {
    ScNodeParts copied;
    copied.inputSet = copyOf(inputSet, box);
    copied.outputSet = copyOf(outputSet, box);
    copied.feedbackTab = copyOf(feedbackTab, box);
    copied.toggleImageTab = copyOf(toggleImageTab, box);
    copied.toggleIRTab = copyOf(toggleIRTab, box);
    copied.linkNodeIconTab = copyOf(linkNodeIconTab, box);
    copied.genericTabs.reserve(genericTabs.size());
    for (const auto& tab : genericTabs) copied.genericTabs.push_back(copyOf(tab, box));
    copied.body = copyOf(body, box);
    return copied;
}

// Laid out about the centre, so the shape measures the same wherever its nodes stand.
ScNodeShape::ScNodeShape(const RCStrongPtr<ScNodeDesign>& design, int nbInputs, int nbOutputs)
    : _design(design), _nbInputs(nbInputs), _nbOutputs(nbOutputs), _localRect(design->getLocalBox().getRect()),
      _box(design->getLocalBox()), _parts(design->getPrototypes().copyOn(&_box)) {
    if (_parts.inputSet) _parts.inputSet->setNbConnections(nbInputs);
    if (_parts.outputSet) _parts.outputSet->setNbConnections(nbOutputs);
    separateBands();
    _localBounds = measureBounds();
}

ScNodeShape::~ScNodeShape() {
    _design->forget(*this);
}

void ScNodeShape::placeAt(const GePoint2<float>& centre, bool inputsWidened, bool outputsWidened) {
    _box.setRect(_localRect.translated(centre - GePoint2<float>()));
    // Widening walks every tab of the set, so only a change does it.
    if (_parts.inputSet && inputsWidened != _inputsWidened) _parts.inputSet->setEnlarged(inputsWidened);
    if (_parts.outputSet && outputsWidened != _outputsWidened) _parts.outputSet->setEnlarged(outputsWidened);
    _inputsWidened = inputsWidened;
    _outputsWidened = outputsWidened;
}

// Each band and the next one along the outline (the last one's next is the first): where the next
// starts before this one ends, or less than the gap after it, they meet in the middle, the gap apart.
void ScNodeShape::separateBands() {
    std::vector<Band> bands;
    for (ScConnectionSet* set :
         {_parts.inputSet.get(), _parts.outputSet.get(), static_cast<ScConnectionSet*>(_parts.feedbackTab.get())})
        if (set) bands.push_back({set, nullptr});
    for (ScBorderTab* tab : {_parts.toggleImageTab.get(), static_cast<ScBorderTab*>(_parts.toggleIRTab.get()),
                             _parts.linkNodeIconTab.get()})
        if (tab) bands.push_back({nullptr, tab});
    for (const auto& tab : _parts.genericTabs) bands.push_back({nullptr, tab.get()});
    if (bands.size() < 2) return;
    std::stable_sort(bands.begin(), bands.end(), [](const Band& a, const Band& b) {
        return a.getStart().getClockwiseKey() < b.getStart().getClockwiseKey();
    });
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

// Tabs count at their normal width, so hovering never changes a node's size.
GeRectangle<float> ScNodeShape::measureBounds() const {
    GeRectangle<float> out = _box.getRect(), bounds;
    using Sets = std::initializer_list<const ScConnectionSet*>;
    using Tabs = std::initializer_list<const ScBorderTab*>;
    for (const ScConnectionSet* set : Sets{_parts.inputSet.get(), _parts.outputSet.get(), _parts.feedbackTab.get()}) {
        if (!set) continue;
        set->getBounds(bounds, false);
        out.unite(bounds);
    }
    for (const ScBorderTab* tab :
         Tabs{_parts.toggleImageTab.get(), _parts.toggleIRTab.get(), _parts.linkNodeIconTab.get()}) {
        if (!tab) continue;
        tab->getBounds(bounds, false);
        out.unite(bounds);
    }
    for (const auto& tab : _parts.genericTabs) {
        tab->getBounds(bounds, false);
        out.unite(bounds);
    }
    return out;
}

} // namespace Zv
