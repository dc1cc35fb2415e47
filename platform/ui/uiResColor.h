#pragma once

namespace Zv {

// A colour resource: red, green and blue from 0 to 1.
struct UiResColor {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    bool operator==(const UiResColor&) const = default;
};

} // namespace Zv
