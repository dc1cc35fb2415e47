#pragma once

#include "platform/base/rcStrongPtr.h"
#include "platform/ui/evDeviceEvent.h"
#include "platform/ui/evKeyCodes.h"
#include "platform/ui/mfEventPredicate.h"

namespace Zv {

// The event tests tools filter with. Tests of keys and pointers fail on events that are not device
// events.
class MfEventPredicates {
public:
    using Predicate = RCShdPtr<MfEventPredicate>;

    // Every modifier of the mask is held (others may be too): 1 Shift, 2 Ctrl, 4 Alt.
    static Predicate isKeyModifierOn(EvModifier mask);
    static Predicate isKeyDown(EvKeyCode key);
    static Predicate isPointerMove();
    static Predicate isButtonPress(EvButton button);
    static Predicate isButtonRelease(EvButton button);
    // The key bound to the hotkey entry is down with its modifiers.
    static Predicate isHotkeyHeld(int entry);
    // Clicks and bands toggle their items in the selection (Ctrl), or add them (Shift).
    static Predicate isSelectionXor();
    static Predicate isSelectionUnion();

    static Predicate both(Predicate a, Predicate b);
    static Predicate either(Predicate a, Predicate b);
    static Predicate negate(Predicate a);
};

} // namespace Zv
