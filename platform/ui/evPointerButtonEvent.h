#pragma once

#include "platform/ui/evDeviceEvent.h"

namespace Zv {

// A pointer button went down or up. The trigger button is the one that changed; the buttons held
// include it on a press and exclude it on a release.
class EvPointerButtonEvent : public EvDeviceEvent {
public:
    EvPointerButtonEvent(const GePoint2<float>& coord, const EvKeyboardState& keys, int buttonsHeld, EvButton trigger,
                         bool press, bool doubleClick)
        : EvDeviceEvent(coord, keys, buttonsHeld), _trigger(trigger), _press(press), _doubleClick(doubleClick) {}

    EvButton getTriggerButton() const { return _trigger; }
    bool isPress() const { return _press; }
    // The second press of a double click.
    bool isDoubleClick() const { return _doubleClick; }

private:
    EvButton _trigger;
    bool _press;
    bool _doubleClick;
};

} // namespace Zv
