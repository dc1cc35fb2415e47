#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"

#include <cstdint>
#include <iosfwd>

namespace Zv {

// A rectangle with rounded corners; its perimeter is the coordinate system of tabs, link ends and picks.
class ScRoundedBox {
public:
    // Perimeter pieces in clockwise order from the top side; odd values are corners.
    enum SubSectionType : int32_t {
        Upper = 0,
        UpperRight = 1,
        Right = 2,
        LowerRight = 3,
        Lower = 4,
        LowerLeft = 5,
        Left = 6,
        UpperLeft = 7,
    };
    static constexpr int kNbSections = 8;

    // A point of the perimeter: a section and the clockwise fraction of it (1.0 is the next section's 0.0).
    class EdgePos {
    public:
        EdgePos() = default;
        EdgePos(SubSectionType section, float cwPercentPos) : _section(section), _cwPercentPos(cwPercentPos) {}

        inline SubSectionType getSection() const;
        inline float getCwPercentPos() const;
        // Orders positions clockwise round the perimeter from the start of the top edge.
        float getClockwiseKey() const { return static_cast<float>(getSection()) + getCwPercentPos(); }
        void dump(std::ostream& out) const;
        bool operator==(const EdgePos&) const = default;

    private:
        SubSectionType _section = Upper;
        float _cwPercentPos = 0.0f;
    };

    ScRoundedBox() = default;
    ScRoundedBox(const GeRectangle<float>& rect, float cornerRadius) : _rect(rect), _cornerRadius(cornerRadius) {}

    const GeRectangle<float>& getRect() const { return _rect; }
    void setRect(const GeRectangle<float>& rect) { _rect = rect; }
    float getCornerRadius() const { return _cornerRadius; }
    void setCornerRadius(float radius) { _cornerRadius = radius; }

    static SubSectionType nextSection(SubSectionType s) { return SubSectionType((s + 1) % kNbSections); }
    static SubSectionType previousSection(SubSectionType s) {
        return SubSectionType((s + kNbSections - 1) % kNbSections);
    }
    static bool isCorner(SubSectionType s) { return (s & 1) != 0; }

    float getSubSectionLength(SubSectionType section) const;
    float getArcLength() const;
    // Clockwise length from a to b; a position to itself is the whole perimeter.
    float getArcLength(const EdgePos& a, const EdgePos& b) const;
    EdgePos getOffsetPosCW(const EdgePos& p, float distance) const;
    EdgePos getOffsetPos(const EdgePos& a, const EdgePos& b, float t) const;
    GePoint2<float> getPoint(const EdgePos& e) const;
    GePoint2<float> getPoint(const EdgePos& a, const EdgePos& b, float t) const;
    GeVector2<float> getNormal(const EdgePos& e) const;
    GeVector2<float> getNormal(const EdgePos& a, const EdgePos& b, float t) const;
    // Angle of the outward normal, clockwise from straight up.
    static float getAngle(const EdgePos& e);
    ScRoundedBox expanded(float d) const;
    // Half-open on the right and top borders.
    bool contains(const GePoint2<float>& p) const;
    void dump(std::ostream& out) const;

private:
    GeRectangle<float> _rect;
    float _cornerRadius = 0.0f;
};

// Equal within a tolerance in section fractions, also across two neighbouring sections.
bool isEqual(const ScRoundedBox::EdgePos& a, const ScRoundedBox::EdgePos& b, float tolerance);

} // namespace Zv

#include "views/schematic/src/scRoundedBox.inline"
