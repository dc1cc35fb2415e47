#include "views/schematic/src/scIconTab.h"

#include "views/schematic/src/scDrawContext.h"

namespace Zv {
namespace {

// The picture fills this much of the bubble's radius, so the bubble's rim stays visible.
constexpr float kIconFill = 0.8f;

} // namespace

std::unique_ptr<ScBorderTab> ScIconTab::clone() const {
    return std::make_unique<ScIconTab>(getStartPos(), getEndPos(), getAnchorRBox(), _icon);
}

int ScIconTab::getColorIndex() const {
    return Tabs;
}

void ScIconTab::draw(ScDrawContext& ctx, float alpha) const {
    ScBubbleTab::draw(ctx, alpha);
    if (_icon.isNull() || getAnchorRBox().isNull()) return;
    // The bubble is a half disc standing on the band's outer edge; the picture sits in its middle.
    const ScRoundedBox& box = *getAnchorRBox();
    const ScRoundedBox outer = box.expanded(getBorderWidth());
    const float radius = outer.getPoint(getStartPos()).distance(outer.getPoint(getEndPos())) * 0.5f;
    const EdgePos middle = box.getOffsetPos(getStartPos(), getEndPos(), 0.5f);
    const GePoint2<float> foot = box.getPoint(middle) + box.getNormal(middle) * getBorderWidth();
    const GePoint2<float> centre = foot + box.getNormal(middle) * (radius * 0.4f);
    const float side = radius * kIconFill * 1.4f;
    _icon->draw(ctx, centre.x, centre.y, side, side, alpha, {1.0f, 1.0f, 1.0f});
}

} // namespace Zv
