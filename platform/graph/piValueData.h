#pragma once

#include <array>

namespace Zv {

// The node values that edits change one at a time; each kind is one field of the node.
enum class PiValueKind {
    Position,        // two floats
    NodeColor,       // three floats, RGB
    Thumbnail,       // bool: thumbnail shown
    VisualGroup,     // bool
    VisualGroupLock, // int lock mode
    Mute,            // bool
    KeyframeMark,    // bool: the tool is marked for keyframing
    Stored,          // int under a key (PiNodeUtils)
    Anchors,         // the node's anchor list
    Text             // text under a key (file of a reader, linked composition)
};

// One value's content: whether it is set and up to three numbers (a bool or int is the first).
// Doubles carry every float and every int exactly.
struct PiValueData {
    bool isSet = false;
    std::array<double, 3> v{};

    static PiValueData of(double a, double b = 0, double c = 0) { return {true, {a, b, c}}; }
    bool operator==(const PiValueData&) const = default;
};

} // namespace Zv
