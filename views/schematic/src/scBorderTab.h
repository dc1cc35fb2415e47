#pragma once

#include "views/schematic/src/scRoundedBox.h"

#include "platform/base/uPtr.h"

#include <iosfwd>
#include <memory>

namespace Zv {

class ScDrawContext;

// A coloured band just outside a box, from a start position clockwise to an end position.
class ScBorderTab {
public:
    using EdgePos = ScRoundedBox::EdgePos;

    virtual ~ScBorderTab() = default;
    virtual std::unique_ptr<ScBorderTab> clone() const = 0;
    virtual void setAnchorRBox(UPtr<ScRoundedBox> anchor) = 0;
    virtual const EdgePos& getStartPos() const = 0;
    virtual void setStartPos(const EdgePos& start) = 0;
    virtual const EdgePos& getEndPos() const = 0;
    virtual void setEndPos(const EdgePos& end) = 0;
    virtual bool contains(const GePoint2<float>& p) const = 0;
    // The hit test at another width, as picks that reach further than the tab is drawn do; the tab
    // keeps its own width.
    virtual bool containsAtWidth(const GePoint2<float>& p, float width) = 0;
    virtual void draw(ScDrawContext& ctx, float alpha) const = 0;
    // Edges and caps in the caller's colour and mode.
    virtual void drawOutline(ScDrawContext& ctx) const = 0;
    virtual void setColorIndex(int index) = 0;
    virtual void setCapsHidden(int hideStart, int hideEnd) = 0;
    virtual void getBounds(GeRectangle<float>& out, bool withBorderWidth) const = 0;
    virtual void dump(std::ostream& out) const = 0;
    virtual void setBorderWidth(float width) = 0;
    virtual float getBorderWidth() const = 0;
    virtual UPtr<ScRoundedBox> getAnchorRBox() const = 0;
};

} // namespace Zv
