#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/engine/pxValidityInterval.h"

#include <vector>

namespace Zv {

class PxImageNode;

// What an engine node tells the requesters of its results: when they are no longer valid.
// Application thread only; callbacks are held weakly, so a requester that dies is simply not told.
class PxPassThroughProtocol {
public:
    struct InvalidationInfo {
        PxImageNode* node = nullptr;
        // The times whose results changed.
        PxValidityInterval interval;
        // The processing node is gone: its results will not come back.
        bool removed = false;
    };
    using InvalidateCb = CbHandler<const InvalidationInfo&>;

    void addInvalidateCb(const RCWeakPtr<InvalidateCb>& callback);
    void removeInvalidateCb(const RCWeakPtr<InvalidateCb>& callback);
    // Callbacks still alive.
    int getNbInvalidateCbs() const;
    // Tells every live callback; dead ones are dropped.
    void invalidate(const InvalidationInfo& info);

private:
    std::vector<RCWeakPtr<InvalidateCb>> _callbacks;
};

} // namespace Zv
