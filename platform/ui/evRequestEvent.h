#pragma once

#include "platform/ui/evEvent.h"

namespace Zv {

// Deferred work: posted to the application, executed later on the UI thread between repaints.
class EvRequestEvent : public EvEvent {
public:
    virtual void execute() = 0;
};

} // namespace Zv
