#pragma once

#include "views/schematic/src/scBubbleTab.h"
#include "views/schematic/src/scIcon.h"

namespace Zv {

// A bubble on the outline with a picture in it.
class ScIconTab : public ScBubbleTab {
public:
    ScIconTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor, const RCShdPtr<ScIcon>& icon)
        : ScBubbleTab(start, end, anchor), _icon(icon) {}

    std::unique_ptr<ScBorderTab> clone() const override;
    int getColorIndex() const override;
    void draw(ScDrawContext& ctx, float alpha) const override;
    const RCShdPtr<ScIcon>& getIcon() const { return _icon; }
    void setIcon(const RCShdPtr<ScIcon>& icon) { _icon = icon; }

private:
    RCShdPtr<ScIcon> _icon;
};

} // namespace Zv
