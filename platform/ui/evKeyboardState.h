#pragma once

#include "platform/ui/evKeyCodes.h"

#include <bitset>

namespace Zv {

// Which keys are down; the modifiers follow from the modifier keys.
class EvKeyboardState {
public:
    bool isKeyDown(EvKeyCode code) const { return isValid(code) && _down.test(static_cast<size_t>(code)); }
    void setKeyDown(EvKeyCode code, bool down) {
        if (isValid(code)) _down.set(static_cast<size_t>(code), down);
    }
    void clear() { _down.reset(); }

    EvModifier getModifiers() const {
        EvModifier held = EvModifier::None;
        for (EvKeyCode key : {EvKeyCode::Shift, EvKeyCode::Control, EvKeyCode::Alt})
            if (isKeyDown(key)) held = held | EvKeyCodes::getModifierOfKey(key);
        return held;
    }
    bool isKeyModifierOn(EvModifier mask) const { return hasModifiers(getModifiers(), mask); }

private:
    static bool isValid(EvKeyCode code) {
        return static_cast<int>(code) > 0 && static_cast<int>(code) < EvKeyCodes::NbCodes;
    }

    std::bitset<EvKeyCodes::NbCodes> _down;
};

} // namespace Zv
