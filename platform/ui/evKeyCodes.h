#pragma once

#include "platform/base/liString.h"

#include <optional>

namespace Zv {

// The host's key codes. Digits and letters sit where the tools expect them: '1' is 84, so context
// point i is bound to the digit i; 'k' is 109 and 'm' is 111.
enum class EvKeyCode : int {
    None = 0,      // no key
    Escape = 1,    // Esc
    Tab = 2,       // Tab
    Backspace = 3, // Backspace
    Return = 4,    // Return and keypad Enter
    Insert = 5,    // Insert
    Delete = 6,    // Delete
    Home = 7,      // Home
    End = 8,       // End
    PageUp = 9,    // Page Up
    PageDown = 10, // Page Down
    Left = 11,     // arrow left
    Up = 12,       // arrow up
    Right = 13,    // arrow right
    Down = 14,     // arrow down
    F1 = 21,       // function keys F1 to F12 follow in order
    F12 = 32,      // the last function key
    Digit0 = 83,   // '0'; '1' to '9' follow in order
    Digit9 = 92,   // '9'
    A = 99,        // 'a'; 'b' to 'z' follow in order
    Z = 124,       // 'z'
    Minus = 125,   // '-'
    Equal = 126,   // '='
    Comma = 127,   // ','
    Period = 128,  // '.'
    Slash = 129,   // '/'
    Space = 130,   // the space bar
    Shift = 140,   // either Shift key
    Control = 141, // either Control key; the fast auto-pan key
    Alt = 142,     // either Alt key; the slow auto-pan key
};

// Modifier masks of pointer and key events; masks combine with |.
enum class EvModifier : int {
    None = 0,  // no modifier
    Shift = 1, // a Shift key is down
    Ctrl = 2,  // a Control key is down
    Alt = 4,   // an Alt key is down
};

constexpr EvModifier operator|(EvModifier a, EvModifier b) {
    return static_cast<EvModifier>(static_cast<int>(a) | static_cast<int>(b));
}
constexpr EvModifier operator&(EvModifier a, EvModifier b) {
    return static_cast<EvModifier>(static_cast<int>(a) & static_cast<int>(b));
}
// Every modifier of mask is in held.
constexpr bool hasModifiers(EvModifier held, EvModifier mask) {
    return (held & mask) == mask;
}

constexpr EvKeyCode operator+(EvKeyCode code, int offset) {
    return static_cast<EvKeyCode>(static_cast<int>(code) + offset);
}

// Names of keys, as scripts write them ("a", "1", "escape", "f5") and as menus show them ("A", "1",
// "Esc", "F5").
class EvKeyCodes {
public:
    static constexpr int NbCodes = 256;

    // A name or a display text, case-insensitive; also "code:N" for any code below NbCodes.
    // Nothing for an unknown name.
    static std::optional<EvKeyCode> fromName(const LiString& name);
    static LiString getName(EvKeyCode code);
    static LiString getDisplayText(EvKeyCode code);
    // The modifier a modifier key sets; None for other keys.
    static EvModifier getModifierOfKey(EvKeyCode code);
};

} // namespace Zv
