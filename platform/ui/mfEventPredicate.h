#pragma once

#include "platform/base/rcBase.h"

namespace Zv {

class EvEvent;

// A test of an event, built once and shared (MfEventPredicates makes them).
class MfEventPredicate : public RCBase {
public:
    virtual bool evaluate(const EvEvent& event) const = 0;
};

} // namespace Zv
