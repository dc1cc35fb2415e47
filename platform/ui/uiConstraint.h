#pragma once

#include "platform/base/geRectangle.h"

#include <array>

namespace Zv {

// Places a widget inside its parent, side by side: left, right, top, bottom (window pixels, y up).
class UiConstraint {
public:
    // How a side's value is measured.
    enum class Type : int {
        None = 0,         // the side stays where it is
        Pixels = 1,       // value pixels
        Fraction = 2,     // value times the parent's extent along the side's axis
        Proportional = 3, // value times the widget's own extent along the other axis
    };
    // What a side is measured from. From the parent's start or end the measure goes inwards; from
    // the parent's centre or the widget's own opposite side it is added as it is.
    enum class Target : int {
        ParentStart = 0,  // the parent's left or bottom side
        Opposite = 1,     // the widget's own opposite side, placed first
        ParentCentre = 2, // the parent's centre line
        ParentEnd = 3,    // the parent's right or top side
    };
    struct Side {
        float value = 0.0f;
        Type type = Type::None;
        Target target = Target::ParentStart;
    };

    UiConstraint() = default;
    UiConstraint(const std::array<float, 4>& values, const std::array<Type, 4>& types,
                 const std::array<Target, 4>& targets);
    // Every side on the parent's.
    static UiConstraint fill();
    // The toolkit's layout grid, in pixels.
    static int getUIGrid() { return 8; }

    // The widget's rectangle in a parent rectangle, from its current one for unconstrained sides.
    GeRectangle<int> resolve(const GeRectangle<int>& parent, const GeRectangle<int>& current) const;

private:
    std::array<Side, 4> _sides;
};

} // namespace Zv
