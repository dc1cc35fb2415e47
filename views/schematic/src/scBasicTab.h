#pragma once

#include "views/schematic/src/scBorderTab.h"
#include "views/schematic/src/scTabSubSection.h"

#include <vector>

namespace Zv {

// A tab cut into one sub-section per perimeter piece it crosses; the pieces are rebuilt lazily.
class ScBasicTab : public ScBorderTab {
public:
    ScBasicTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor)
        : _start(start), _end(end), _anchor(anchor) {}

    void setAnchorRBox(UPtr<ScRoundedBox> anchor) override;
    const EdgePos& getStartPos() const override { return _start; }
    void setStartPos(const EdgePos& start) override;
    const EdgePos& getEndPos() const override { return _end; }
    void setEndPos(const EdgePos& end) override;
    bool contains(const GePoint2<float>& p) const override;
    bool containsAtWidth(const GePoint2<float>& p, float width) override;
    void draw(ScDrawContext& ctx, float alpha) const override;
    void drawOutline(ScDrawContext& ctx) const override;
    void setColorIndex(int) override {}
    void setCapsHidden(int hideStart, int hideEnd) override;
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;
    void dump(std::ostream& out) const override;
    void setBorderWidth(float width) override;
    float getBorderWidth() const override { return _borderWidth; }
    UPtr<ScRoundedBox> getAnchorRBox() const override { return _anchor; }

    virtual int getColorIndex() const;
    virtual std::unique_ptr<TabSubSection> createSubSection(const EdgePos& from, const EdgePos& to) const = 0;
    virtual bool splitsAtSections() const { return true; }

    // The pieces as they are now, rebuilt first when stale.
    const std::vector<std::unique_ptr<TabSubSection>>& getSubSections() const;

private:
    void update() const;
    void addSubSection(const EdgePos& from, const EdgePos& to) const;

    EdgePos _start;
    EdgePos _end;
    UPtr<ScRoundedBox> _anchor;
    float _borderWidth = TabSubSection::kNormalWidth;
    mutable bool _dirty = true;
    mutable std::vector<std::unique_ptr<TabSubSection>> _subSections;
    int _hideStartCap = 0;
    int _hideEndCap = 0;
};

} // namespace Zv
