#pragma once

#include "views/schematic/src/scIcon.h"
#include "views/schematic/src/scImageHandler.h"

namespace Zv {

// A body picture from the icon registry, drawn in a square in the middle of the box.
class ScSimpleIcon : public ScImageHandler {
public:
    explicit ScSimpleIcon(const RCShdPtr<ScIcon>& icon) : _icon(icon) {}

    std::unique_ptr<ScImageHandler> clone() const override { return std::make_unique<ScSimpleIcon>(*this); }

    void setAnchorRBox(UPtr<ScRoundedBox> anchor) override { _anchor = anchor; }
    bool contains(const GePoint2<float>& p) const override;
    void draw(ScDrawContext& ctx, float alpha, const UiResColor& rgb) const override;
    const RCShdPtr<ScIcon>& getIcon() const { return _icon; }
    // Where the picture goes: a square centred on the box, a margin inside it.
    GeRectangle<float> getImageRect() const;

private:
    RCShdPtr<ScIcon> _icon;
    UPtr<ScRoundedBox> _anchor;
};

} // namespace Zv
