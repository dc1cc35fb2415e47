#include "views/schematic/src/scNodeDesign.h"

#include "views/schematic/src/scGroup.h"
#include "views/schematic/src/scImageHandler.h"

#include "platform/base/assertions.h"

#include <algorithm>

namespace Zv {

ScNodeDesign::ScNodeDesign(float width, float height, float cornerRadius)
    : _localBox(GeRectangle<float>(-width / 2.0f, width / 2.0f, -height / 2.0f, height / 2.0f),
                std::min(cornerRadius, std::min(width, height) / 2.0f)) {}

ScNodeDesign::~ScNodeDesign() = default;

RCStrongPtr<ScNodeDesign> ScNodeDesign::copy() const {
    RCStrongPtr<ScNodeDesign> copied(new ScNodeDesign(0.0f, 0.0f, 0.0f));
    copied->_localBox = _localBox;
    copied->_nameAlignment = _nameAlignment;
    copied->_colorKind = _colorKind;
    copied->_prototypes = _prototypes.copyOn(nullptr);
    copied->_genericIcons = _genericIcons;
    return copied;
}

// The shape's constructor copies the prototypes, so the cache holds it only once it is whole.
RCStrongPtr<ScNodeShape> ScNodeDesign::getShape(int nbInputs, int nbOutputs) {
    ScNodeShape*& cached = _shapes[{nbInputs, nbOutputs}];
    if (cached) return RCStrongPtr<ScNodeShape>(cached);
    try {
        cached = new ScNodeShape(RCStrongPtr<ScNodeDesign>(this), nbInputs, nbOutputs);
    } catch (...) {
        _shapes.erase({nbInputs, nbOutputs});
        throw;
    }
    return RCStrongPtr<ScNodeShape>(cached);
}

void ScNodeDesign::forget(const ScNodeShape& shape) {
    const auto found = _shapes.find({shape.getNbInputs(), shape.getNbOutputs()});
    if (found != _shapes.end() && found->second == &shape) _shapes.erase(found);
}

ScNodeParts& ScNodeDesign::editPrototypes() {
    ZV_ASSERT(_shapes.empty());
    return _prototypes;
}

void ScNodeDesign::addGenericTab(std::unique_ptr<ScBorderTab> tab, const RCShdPtr<ScIcon>& icon) {
    auto& tabs = editPrototypes().genericTabs;
    const auto at =
        std::upper_bound(tabs.begin(), tabs.end(), tab->getStartPos().getClockwiseKey(),
                         [](float key, const auto& other) { return key < other->getStartPos().getClockwiseKey(); });
    _genericIcons.insert(_genericIcons.begin() + (at - tabs.begin()), icon);
    tabs.insert(at, std::move(tab));
}

UiResColor ScNodeDesign::getColorKindColor(int colorKind) {
    static const UiResColor colors[] = {ScNode::kPlainBodyColor,  ScGroup::kDefaultColor,   {0.345f, 0.192f, 0.192f},
                                        {0.195f, 0.195f, 0.195f}, {0.431f, 0.431f, 0.431f}, {1.0f, 1.0f, 1.0f}};
    ZV_ASSERT(colorKind >= TOOL && colorKind <= WHITE);
    return colors[colorKind];
}

} // namespace Zv
