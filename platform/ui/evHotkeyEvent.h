#pragma once

#include "platform/ui/evDeviceEvent.h"

namespace Zv {

// The key bound to a hotkey entry was pressed (UiHotkeyRegistry gives the entry ids).
class EvHotkeyEvent : public EvDeviceEvent {
public:
    EvHotkeyEvent(const GePoint2<float>& coord, const EvKeyboardState& keys, int buttonsHeld, int entry)
        : EvDeviceEvent(coord, keys, buttonsHeld), _entry(entry) {}

    int getEntry() const { return _entry; }

private:
    int _entry;
};

} // namespace Zv
