#include "platform/ui/uiConstraint.h"

#include <cmath>

namespace Zv {
namespace {

using Side = UiConstraint::Side;
using Type = UiConstraint::Type;
using Target = UiConstraint::Target;

// Sides in the order constraints list them.
constexpr int Left = 0, Right = 1, Top = 2, Bottom = 3;

struct Placement {
    float sides[4]; // left, right, top, bottom
};

bool isHorizontal(int side) {
    return side == Left || side == Right;
}

int opposite(int side) {
    return side ^ 1;
}

float measure(const Side& side, int index, const GeRectangle<int>& parent, const Placement& placed) {
    const bool horizontal = isHorizontal(index);
    switch (side.type) {
    case Type::Pixels: return side.value;
    case Type::Fraction: return side.value * static_cast<float>(horizontal ? parent.getWidth() : parent.getHeight());
    case Type::Proportional:
        return side.value *
               (horizontal ? placed.sides[Top] - placed.sides[Bottom] : placed.sides[Right] - placed.sides[Left]);
    case Type::None: break;
    }
    return 0.0f;
}

float place(const Side& side, int index, const GeRectangle<int>& parent, const Placement& placed) {
    const bool horizontal = isHorizontal(index);
    const float start = static_cast<float>(horizontal ? parent.xMin : parent.yMin);
    const float end = static_cast<float>(horizontal ? parent.xMax : parent.yMax);
    const float amount = measure(side, index, parent, placed);
    switch (side.target) {
    case Target::ParentStart: return start + amount;
    case Target::ParentEnd: return end - amount;
    case Target::ParentCentre: return (start + end) * 0.5f + amount;
    case Target::Opposite: return placed.sides[opposite(index)] + amount;
    }
    return placed.sides[index];
}

} // namespace

UiConstraint::UiConstraint(const std::array<float, 4>& values, const std::array<Type, 4>& types,
                           const std::array<Target, 4>& targets) {
    for (int i = 0; i < 4; ++i) _sides[i] = {values[i], types[i], targets[i]};
}

UiConstraint UiConstraint::fill() {
    return UiConstraint({0.0f, 0.0f, 0.0f, 0.0f}, {Type::Pixels, Type::Pixels, Type::Pixels, Type::Pixels},
                        {Target::ParentStart, Target::ParentEnd, Target::ParentEnd, Target::ParentStart});
}

GeRectangle<int> UiConstraint::resolve(const GeRectangle<int>& parent, const GeRectangle<int>& current) const {
    Placement placed{{static_cast<float>(current.xMin), static_cast<float>(current.xMax),
                      static_cast<float>(current.yMax), static_cast<float>(current.yMin)}};
    // Sides measured from the parent first, then those measured from the widget's other side.
    for (bool fromOpposite : {false, true})
        for (int i = 0; i < 4; ++i) {
            const Side& side = _sides[i];
            if (side.type != Type::None && (side.target == Target::Opposite) == fromOpposite)
                placed.sides[i] = place(side, i, parent, placed);
        }
    auto pixel = [](float v) { return static_cast<int>(std::lround(v)); };
    return {pixel(placed.sides[Left]), pixel(placed.sides[Right]), pixel(placed.sides[Bottom]),
            pixel(placed.sides[Top])};
}

} // namespace Zv
