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
struct PiValueData {
    bool isSet = false;
    std::array<float, 3> v{};

    static PiValueData of(float a, float b = 0, float c = 0) { return {true, {a, b, c}}; }
    bool operator==(const PiValueData&) const = default;
};

} // namespace Zv
