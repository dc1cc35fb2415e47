#pragma once

#include "platform/ui/evDeviceEvent.h"

namespace Zv {

// A key went down or up; the keyboard state already shows the change.
class EvKeyEvent : public EvDeviceEvent {
public:
    EvKeyEvent(const GePoint2<float>& coord, const EvKeyboardState& keys, int buttonsHeld, EvKeyCode key, bool press)
        : EvDeviceEvent(coord, keys, buttonsHeld), _key(key), _press(press) {}

    EvKeyCode getKey() const { return _key; }
    bool isPress() const { return _press; }

private:
    EvKeyCode _key;
    bool _press;
};

} // namespace Zv
