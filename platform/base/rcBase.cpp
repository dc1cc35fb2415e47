#include "platform/base/rcBase.h"

namespace Zv {

void RCWeakControl::lock() {
    while (_busy.test_and_set(std::memory_order_acquire)) {
    }
}

RCBase* RCWeakControl::acquire() {
    lock();
    RCBase* object = _object && _object->tryAddRef() ? _object : nullptr;
    unlock();
    return object;
}

void RCWeakControl::detach() {
    lock();
    _object = nullptr;
    unlock();
    releaseWeak();
}

void RCWeakControl::releaseWeak() {
    if (_weakCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

bool RCWeakControl::isAlive() {
    lock();
    bool alive = _object && _object->getRefCount() > 0;
    unlock();
    return alive;
}

RCBase::~RCBase() {
    if (RCWeakControl* control = _weakControl.load(std::memory_order_acquire)) control->detach();
}

void RCBase::release() const {
    if (_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

bool RCBase::tryAddRef() const {
    int count = _refCount.load(std::memory_order_relaxed);
    while (count > 0) {
        if (_refCount.compare_exchange_weak(count, count + 1, std::memory_order_acq_rel)) return true;
    }
    return false;
}

RCWeakControl* RCBase::getWeakControl() const {
    RCWeakControl* control = _weakControl.load(std::memory_order_acquire);
    if (control) return control;
    auto* fresh = new RCWeakControl(const_cast<RCBase*>(this));
    if (_weakControl.compare_exchange_strong(control, fresh, std::memory_order_acq_rel)) return fresh;
    delete fresh;
    return control;
}

} // namespace Zv
