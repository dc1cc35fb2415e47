#include "platform/ui/uiDrawArea.h"

#include "platform/ui/uiDragAndDrop.h"

#include <GL/gl.h>

namespace Zv {

UiDrawArea::UiDrawArea(LiString name) : UiContainer(std::move(name)) {}

UiDrawArea::~UiDrawArea() = default;

void UiDrawArea::setWindowSize(int width, int height) {
    setGeometry({0, width, 0, height});
}

void UiDrawArea::setDragAndDrop(const RCShdPtr<UiDragAndDrop>& dragAndDrop) {
    _dragAndDrop = dragAndDrop;
}

void UiDrawArea::paint() {
    const GeRectangle<int>& g = getGeometry();
    glViewport(g.xMin, g.yMin, g.getWidth(), g.getHeight());
    glScissor(g.xMin, g.yMin, g.getWidth(), g.getHeight());
    glEnable(GL_SCISSOR_TEST);
    draw();
    for (const auto& child : getChildren())
        if (auto* area = dynamic_cast<UiDrawArea*>(child.get()); area && area->isDisplayed()) area->paint();
}

UiDrawArea& UiDrawArea::findDrawAreaAt(const GePoint2<float>& windowPoint) {
    // Later children are drawn over earlier ones, so they are asked first.
    for (auto it = getChildren().rbegin(); it != getChildren().rend(); ++it) {
        auto* area = dynamic_cast<UiDrawArea*>(it->get());
        if (!area || !area->isDisplayed()) continue;
        const GeRectangle<int>& g = area->getGeometry();
        if (windowPoint.x >= g.xMin && windowPoint.x < g.xMax && windowPoint.y >= g.yMin && windowPoint.y < g.yMax)
            return area->findDrawAreaAt(windowPoint);
    }
    return *this;
}

GePoint2<float> UiDrawArea::toLocal(const GePoint2<float>& windowPoint) const {
    return {windowPoint.x - static_cast<float>(getGeometry().xMin),
            windowPoint.y - static_cast<float>(getGeometry().yMin)};
}

} // namespace Zv
