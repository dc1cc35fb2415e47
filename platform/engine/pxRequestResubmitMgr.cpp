#include "platform/engine/pxRequestResubmitMgr.h"

#include "platform/base/assertions.h"
#include "platform/engine/pxRequestMgr.h"

#include <algorithm>

namespace Zv {

PxRequestResubmitMgr& PxRequestResubmitMgr::getInstance() {
    static PxRequestResubmitMgr instance;
    return instance;
}

void PxRequestResubmitMgr::addCancelAndResubmitCb(const RCStrongPtr<ResubmitCb>& callback) {
    ZV_ASSERT(!PxRequestMgr::getInstance().isWorkerThreadCurrent());
    _callbacks.push_back(callback);
}

void PxRequestResubmitMgr::removeCancelAndResubmitCb(const RCStrongPtr<ResubmitCb>& callback) {
    std::erase(_callbacks, callback);
}

void PxRequestResubmitMgr::cancelAndResubmit() {
    ZV_ASSERT(!PxRequestMgr::getInstance().isWorkerThreadCurrent());
    std::vector<RCStrongPtr<ResubmitCb>> callbacks = _callbacks; // a callback may remove itself
    for (const RCStrongPtr<ResubmitCb>& callback : callbacks)
        if (std::find(_callbacks.begin(), _callbacks.end(), callback) != _callbacks.end()) callback->call();
}

} // namespace Zv
