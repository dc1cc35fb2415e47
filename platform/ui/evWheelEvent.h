#pragma once

#include "platform/ui/evDeviceEvent.h"

namespace Zv {

// The wheel turned; one step per notch, positive away from the user.
class EvWheelEvent : public EvDeviceEvent {
public:
    EvWheelEvent(const GePoint2<float>& coord, const EvKeyboardState& keys, int buttonsHeld, float steps)
        : EvDeviceEvent(coord, keys, buttonsHeld), _steps(steps) {}

    float getSteps() const { return _steps; }

private:
    float _steps;
};

} // namespace Zv
