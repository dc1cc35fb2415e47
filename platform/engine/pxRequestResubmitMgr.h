#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/rcStrongPtr.h"

#include <vector>

namespace Zv {

// Tells requesters that their requests in flight are out of date (the time moved, the engine's
// inputs changed) so they cancel them and submit new ones. Application thread only.
class PxRequestResubmitMgr {
public:
    using ResubmitCb = CbHandler<>;

    static PxRequestResubmitMgr& getInstance();

    void addCancelAndResubmitCb(const RCStrongPtr<ResubmitCb>& callback);
    void removeCancelAndResubmitCb(const RCStrongPtr<ResubmitCb>& callback);
    int getNbCancelAndResubmitCbs() const { return static_cast<int>(_callbacks.size()); }
    // Calls every callback, in registration order.
    void cancelAndResubmit();

private:
    PxRequestResubmitMgr() = default;
    std::vector<RCStrongPtr<ResubmitCb>> _callbacks;
};

} // namespace Zv
