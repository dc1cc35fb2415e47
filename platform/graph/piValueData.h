#pragma once

#include <array>

namespace Zv {

// The node values that edits change one at a time; each kind is one field of the node.
enum class PiValueKind {
    Position,        // two floats
    NodeColor,       // three floats, RGB
    Thumbnail,       // bool: thumbnail shown
    VisualGroup,     // bool
    VisualGroupLock, // int: a PiLockMode
    Mute,            // bool
    KeyframeMark,    // bool: the tool is marked for keyframing
    Stored,          // int under a key (PiNodeUtils)
    Anchors,         // the node's anchor list
    Text             // text under a key (file of a reader, linked composition)
};

// How a visual group is locked; the number is what files and values carry.
enum class PiLockMode : int {
    None = 0,  // unlocked
    Tools = 1, // the member nodes stay where they are
    Group = 2, // the group and its members stay where they are
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
