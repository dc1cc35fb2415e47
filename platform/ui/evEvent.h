#pragma once

#include "platform/base/rcBase.h"

namespace Zv {

// Base of every event. A handler that consumes an event marks it processed, which stops it from
// being offered further.
class EvEvent : public RCBase {
public:
    ~EvEvent() override = default;

    void setProcessed() { _processed = true; }
    bool isProcessed() const { return _processed; }

private:
    bool _processed = false;
};

} // namespace Zv
