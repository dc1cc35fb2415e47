#include "platform/engine/pxPassThroughProtocol.h"

#include <algorithm>

namespace Zv {

void PxPassThroughProtocol::addInvalidateCb(const RCWeakPtr<InvalidateCb>& callback) {
    _callbacks.push_back(callback);
}

void PxPassThroughProtocol::removeInvalidateCb(const RCWeakPtr<InvalidateCb>& callback) {
    RCStrongPtr<InvalidateCb> removed = callback.lock();
    std::erase_if(_callbacks, [&](const RCWeakPtr<InvalidateCb>& held) {
        RCStrongPtr<InvalidateCb> live = held.lock();
        return !live || live == removed;
    });
}

int PxPassThroughProtocol::getNbInvalidateCbs() const {
    return static_cast<int>(std::count_if(_callbacks.begin(), _callbacks.end(),
                                          [](const RCWeakPtr<InvalidateCb>& held) { return !held.isNull(); }));
}

void PxPassThroughProtocol::invalidate(const InvalidationInfo& info) {
    std::vector<RCWeakPtr<InvalidateCb>> callbacks = _callbacks; // a callback may remove itself
    for (const RCWeakPtr<InvalidateCb>& held : callbacks)
        if (RCStrongPtr<InvalidateCb> callback = held.lock()) callback->call(info);
    std::erase_if(_callbacks, [](const RCWeakPtr<InvalidateCb>& held) { return held.isNull(); });
}

} // namespace Zv
