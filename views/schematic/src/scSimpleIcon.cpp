#include "views/schematic/src/scSimpleIcon.h"

#include "views/schematic/src/scTabSubSection.h"

#include <algorithm>

namespace Zv {
namespace {

constexpr float kMargin = 4.0f;

} // namespace

GeRectangle<float> ScSimpleIcon::getImageRect() const {
    if (_anchor.isNull()) return {};
    const GeRectangle<float>& box = _anchor->getRect();
    const float half = std::max(0.0f, std::min(box.getWidth(), box.getHeight()) * 0.5f - kMargin);
    const GePoint2<float> c = box.getCenter();
    return {c.x - half, c.x + half, c.y - half, c.y + half};
}

bool ScSimpleIcon::contains(const GePoint2<float>& p) const {
    return TabSubSection::isInside(getImageRect(), p);
}

void ScSimpleIcon::draw(ScDrawContext& ctx, float alpha, const UiResColor&) const {
    const GeRectangle<float> rect = getImageRect();
    if (_icon.isNull() || rect.isEmpty()) return;
    const GePoint2<float> c = rect.getCenter();
    _icon->draw(ctx, c.x, c.y, rect.getWidth(), rect.getHeight(), alpha, {1.0f, 1.0f, 1.0f});
}

} // namespace Zv
