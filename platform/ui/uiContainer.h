#pragma once

#include "platform/ui/uiWidget.h"

#include <vector>

namespace Zv {

// A widget holding others, which it places by their constraints.
class UiContainer : public UiWidget {
public:
    explicit UiContainer(LiString name);
    ~UiContainer() override;

    // A new container, inside parent when there is one.
    static RCShdPtr<UiContainer> create(UiContainer* parent, const LiString& name);

    void addChild(const RCShdPtr<UiWidget>& child);
    void removeChild(const UiWidget& child);
    const std::vector<RCShdPtr<UiWidget>>& getChildren() const { return _children; }

    RCShdPtr<UiWidget> findWidget(const LiString& name) override;
    void setGeometry(const GeRectangle<int>& geometry) override;
    // Applies the child's constraint, if it has one, within this container.
    void placeChild(UiWidget& child);

private:
    std::vector<RCShdPtr<UiWidget>> _children;
};

} // namespace Zv
