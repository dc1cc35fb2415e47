#pragma once

#include "views/schematic/src/scRoundedBox.h"
#include "views/schematic/src/scTabSubSection.h"

#include "platform/base/uPtr.h"

#include <iosfwd>
#include <memory>

namespace Zv {

class ScDrawContext;

// The tabs of one side of a node: n sockets spread from a start position clockwise to an end position.
class ScConnectionSet {
public:
    using EdgePos = ScRoundedBox::EdgePos;
    static constexpr float kNormalWeight = 0.25f;
    // How wide the tabs of a set the pointer is over are drawn.
    static constexpr float kEnlargedWidth = 15.0f;

    virtual ~ScConnectionSet() = default;
    virtual std::unique_ptr<ScConnectionSet> clone() const = 0;
    virtual void setAnchorRBox(UPtr<ScRoundedBox> anchor) = 0;
    virtual const EdgePos& getStartPosition() const = 0;
    virtual void setStartPosition(const EdgePos& start) = 0;
    virtual const EdgePos& getEndPosition() const = 0;
    virtual void setEndPosition(const EdgePos& end) = 0;
    virtual bool contains(const GePoint2<float>& p) const { return pick(p, false) != -1; }
    virtual void draw(ScDrawContext& ctx, float alpha) const = 0;
    virtual void drawOutline(ScDrawContext& ctx) const = 0;
    virtual void getBounds(GeRectangle<float>& out, bool withBorderWidth) const = 0;
    virtual void dump(std::ostream& out) const = 0;
    virtual void setBorderWidth(float width) = 0;
    virtual float getBorderWidth() const = 0;
    virtual UPtr<ScRoundedBox> getAnchorRBox() const = 0;
    virtual void setNbConnections(int n) = 0;
    virtual int getNbConnections() const = 0;
    // Where edge i attaches, and the outward direction there.
    virtual GePoint2<float> getConnectionPoint(int i) const = 0;
    virtual GeVector2<float> getConnectionNormal(int i) const = 0;
    // How much of an edge's leaving direction comes from the normal rather than the flow.
    virtual float getNormalWeight(int) const { return kNormalWeight; }
    virtual void setHighlighted(int i, bool highlighted) = 0;
    // Wider tabs, easier to hit while a link is dragged over the node.
    virtual void setEnlarged(bool enlarged) = 0;
    virtual bool isHighlighted(int i) const = 0;
    virtual void setMarked(int i, bool marked) = 0;
    // The arrow that shows where a dragged node would be inserted.
    virtual void drawInsertArrow(ScDrawContext& ctx, float alpha) const;
    // Socket index under the point, or -1.
    virtual int pick(const GePoint2<float>& p, bool enlarged) const = 0;
    virtual void update() const = 0;

protected:
    // Every operation on socket i checks it: no set is read past its tabs.
    void checkIndex(int i) const;

    static constexpr float kBorderWidth = TabSubSection::kNormalWidth;
    static constexpr float kPickWidth = 6.0f;
    static constexpr float kEnlargedPickWidth = 12.0f;
};

} // namespace Zv
