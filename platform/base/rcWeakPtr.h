#pragma once

#include "platform/base/rcStrongPtr.h"

namespace Zv {

// Non-owning handle that reads null once its object has died.
template <class T>
class RCWeakPtr {
public:
    RCWeakPtr() = default;
    RCWeakPtr(std::nullptr_t) {}
    RCWeakPtr(const RCStrongPtr<T>& strong) { attach(strong.get()); }
    template <class U>
    RCWeakPtr(const RCStrongPtr<U>& strong) {
        attach(strong.get());
    }
    RCWeakPtr(const RCWeakPtr& other) : _object(other._object), _control(other._control) {
        if (_control) _control->addWeak();
    }
    RCWeakPtr& operator=(RCWeakPtr other) noexcept {
        std::swap(_object, other._object);
        std::swap(_control, other._control);
        return *this;
    }
    ~RCWeakPtr() {
        if (_control) _control->releaseWeak();
    }

    // A strong handle to the object, or null once it died.
    RCStrongPtr<T> lock() const {
        if (!_control || !_control->acquire()) return {};
        return RCStrongPtr<T>::adopt(_object);
    }
    bool isNull() const { return !_control || !_control->isAlive(); }

private:
    void attach(T* object) {
        if (!object) return;
        _object = object;
        _control = object->getWeakControl();
        _control->addWeak();
    }

    T* _object = nullptr;
    RCWeakControl* _control = nullptr;
};

} // namespace Zv
