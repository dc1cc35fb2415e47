#pragma once

#include "platform/base/assertions.h"

#include <cstdint>
#include <type_traits>

namespace Zv {

// The scene's codes. Their numbers are what files, settings, options and printed reports carry, so
// they never change; ints from those edges become codes through toScCode, which checks the range.

// Where the graph flows; selects the node description ("-V", "-H", "-VU").
enum class ScOrientation : int32_t {
    Down = 0,  // vertical, inputs above their consumer
    Right = 1, // horizontal, inputs to the left
    Up = 2,    // vertical, inputs below their consumer
};

// What a pick hit on a node.
enum class ScPart : int32_t {
    Input = 0,       // an input tab (and, with no node, nothing hit)
    Output = 1,      // an output tab
    FirstStrip = 2,  // an item of the node's first extra tab strip
    SecondStrip = 3, // an item of the node's second extra tab strip
    Body = 4,        // the node's body, an edge or a group
};

// How edges are drawn and picked.
enum class ScLinkStyle : int32_t {
    Curved = 0,   // a cubic leaving each socket along its direction
    Angular = 1,  // straight runs with right-angle turns
    Straight = 2, // one segment
};

// What the overlays of a scene draw did with the socket labels.
enum class ScDrawResult : int32_t {
    NoOverlays = 0,   // drawn without overlays
    LabelsShown = 1,  // labels were drawn
    LabelsHidden = 2, // labels are available under the pointer but not shown
    NoLabels = 3,     // nothing under the pointer has labels
};

template <typename Code>
constexpr Code kLastScCode = Code();
template <>
constexpr ScOrientation kLastScCode<ScOrientation> = ScOrientation::Up;
template <>
constexpr ScPart kLastScCode<ScPart> = ScPart::Body;
template <>
constexpr ScLinkStyle kLastScCode<ScLinkStyle> = ScLinkStyle::Straight;
template <>
constexpr ScDrawResult kLastScCode<ScDrawResult> = ScDrawResult::NoLabels;

// The highest number of a code, for edges that check their input against it.
template <typename Code>
constexpr int getMaxScCode() {
    return static_cast<int>(kLastScCode<Code>);
}

template <typename Code>
constexpr bool isScCode(int value) {
    return value >= 0 && value <= getMaxScCode<Code>();
}

// A number already checked at its edge; one out of range is a program error.
template <typename Code>
Code toScCode(int value) {
    ZV_ASSERT(isScCode<Code>(value));
    return static_cast<Code>(value);
}

// The number a code stands for at an edge.
template <typename Code>
requires std::is_enum_v<Code>
constexpr int toInt(Code code) {
    return static_cast<int>(code);
}

} // namespace Zv
