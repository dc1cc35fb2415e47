#pragma once

#include "platform/base/liString.h"
#include "platform/ui/evKeyCodes.h"

#include <optional>

namespace Zv {

// A key with the modifiers that must be held with it, written as menus show it: "Ctrl+Shift+L",
// "Del", "F1"; modifiers in the order Ctrl, Alt, Shift. No key is the empty text.
struct UiKeyBinding {
    EvKeyCode key = EvKeyCode::None;
    EvModifier modifiers = EvModifier::None;

    bool isBound() const { return key != EvKeyCode::None; }
    LiString toString() const;
    // Case-insensitive; key names as EvKeyCodes reads them. Nothing for a malformed text, or for a
    // modifier key alone.
    static std::optional<UiKeyBinding> parse(const LiString& text);

    bool operator==(const UiKeyBinding&) const = default;
};

} // namespace Zv
