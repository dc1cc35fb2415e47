#pragma once

#include "platform/ui/evDeviceEvent.h"

namespace Zv {

// The pointer moved, with or without buttons held.
class EvPointerMoveEvent : public EvDeviceEvent {
public:
    using EvDeviceEvent::EvDeviceEvent;
};

} // namespace Zv
