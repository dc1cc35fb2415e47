#pragma once

#include "platform/base/rcBase.h"

namespace Zv {

class DrCarrier;

// Both ends of drag and drop. A source fills the carrier of a drag that starts from its widget and
// hears how it ended; a sink says whether it would take a carrier hovering over it and takes it on
// drop. Every answer is no by default.
class DrSrcSink : public RCBase {
public:
    virtual bool willPopulateSelection() { return false; }
    virtual void populateSelection(DrCarrier& carrier) {}
    virtual void dropCompleted() {}
    // The drag ended without a drop, or the hover left the sink.
    virtual void operationCancelled() {}
    virtual bool willConsumeSelection(const DrCarrier& carrier) { return false; }
    virtual bool consumeSelection(const DrCarrier& carrier) { return false; }
};

} // namespace Zv
