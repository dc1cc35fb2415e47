#pragma once

#include "views/schematic/src/scRoundedBox.h"

#include "platform/base/uPtr.h"

namespace Zv {

class ScDrawContext;

// One piece of a tab: the stretch of it that lies on one straight side or one corner of the box.
// The four shapes live together: each is a few lines of geometry and only the tab classes make them.
class TabSubSection {
public:
    using EdgePos = ScRoundedBox::EdgePos;
    // A tab's width when not enlarged; bounds for layout and damage use it whatever the real width.
    static constexpr float kNormalWidth = 6.0f;

    TabSubSection(UPtr<ScRoundedBox> box, const EdgePos& from, const EdgePos& to, float borderWidth)
        : _box(box), _from(from), _to(to), _borderWidth(borderWidth) {}
    virtual ~TabSubSection() = default;

    virtual bool contains(const GePoint2<float>& p) const = 0;
    virtual void fill(ScDrawContext& ctx) const = 0;
    // Without keepColour the cap is drawn in the background colour, to separate neighbouring tabs.
    virtual void drawStartCap(ScDrawContext& ctx, bool keepColour) const;
    virtual void drawEndCap(ScDrawContext& ctx) const;
    virtual void drawInnerEdge(ScDrawContext& ctx) const = 0;
    virtual void drawOuterEdge(ScDrawContext& ctx) const = 0;
    virtual void getBounds(GeRectangle<float>& out, bool withBorderWidth) const = 0;
    virtual void setBorderWidth(float width) { _borderWidth = width; }

    const EdgePos& getFrom() const { return _from; }
    const EdgePos& getTo() const { return _to; }
    float getBorderWidth() const { return _borderWidth; }
    // Closed on the left and bottom, open on the right and top, like the box itself.
    static bool isInside(const GeRectangle<float>& r, const GePoint2<float>& p) {
        return r.xMin <= p.x && p.x < r.xMax && r.yMin <= p.y && p.y < r.yMax;
    }

protected:
    const ScRoundedBox& box() const { return *_box; }
    GePoint2<float> pointAt(const EdgePos& e) const { return _box->getPoint(e); }
    GeVector2<float> normalAt(const EdgePos& e) const { return _box->getNormal(e); }
    // The width used for bounds: the real one, or the normal one.
    float boundsWidth(bool withBorderWidth) const;

private:
    UPtr<ScRoundedBox> _box;
    EdgePos _from;
    EdgePos _to;
    float _borderWidth;
};

class StraightTabSubSection : public TabSubSection {
public:
    using TabSubSection::TabSubSection;
    bool contains(const GePoint2<float>& p) const override;
    void fill(ScDrawContext& ctx) const override;
    void drawInnerEdge(ScDrawContext& ctx) const override;
    void drawOuterEdge(ScDrawContext& ctx) const override;
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;
};

// A ring segment between the corner radius and the radius plus the width.
class RoundedCornerTabSubSection : public TabSubSection {
public:
    using TabSubSection::TabSubSection;
    bool contains(const GePoint2<float>& p) const override;
    void fill(ScDrawContext& ctx) const override;
    void drawInnerEdge(ScDrawContext& ctx) const override;
    void drawOuterEdge(ScDrawContext& ctx) const override;
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;
};

// Square outside, rounded inside.
class SquareCornerTabSubSection : public TabSubSection {
public:
    using TabSubSection::TabSubSection;
    bool contains(const GePoint2<float>& p) const override;
    void fill(ScDrawContext& ctx) const override;
    void drawInnerEdge(ScDrawContext& ctx) const override;
    void drawOuterEdge(ScDrawContext& ctx) const override;
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;

private:
    struct Outline {
        GePoint2<float> from, corner, to;
    };
    Outline getOutline() const;
};

// One semicircular bump centred on the middle of the stretch.
class BubbleTabSubSection : public TabSubSection {
public:
    using TabSubSection::TabSubSection;
    bool contains(const GePoint2<float>& p) const override;
    void fill(ScDrawContext& ctx) const override;
    void drawStartCap(ScDrawContext& ctx, bool keepColour) const override;
    void drawEndCap(ScDrawContext& ctx) const override;
    void drawInnerEdge(ScDrawContext& ctx) const override;
    void drawOuterEdge(ScDrawContext& ctx) const override;
    void getBounds(GeRectangle<float>& out, bool withBorderWidth) const override;
    // The width is fixed at creation; the tab's next rebuild brings a new one.
    void setBorderWidth(float) override {}

private:
    struct Shape {
        GePoint2<float> a, b, k; // ends (pushed out on a corner) and the bump's centre
        GeVector2<float> normal; // at the middle
        float theta;             // angle at the middle
    };
    Shape getShape(float width) const;
};

} // namespace Zv
