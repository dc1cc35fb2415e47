#pragma once

#include "platform/base/rcBase.h"
#include "platform/base/rcExUtil.h"

#include <cstddef>
#include <functional>
#include <typeinfo>
#include <utility>

namespace Zv {

// Owning handle to an RCBase object. Null is allowed; dereferencing null raises ExNullPtr.
template <class T>
class RCStrongPtr {
public:
    RCStrongPtr() = default;
    RCStrongPtr(std::nullptr_t) {}
    RCStrongPtr(T* object) : _object(object) { acquire(); }
    RCStrongPtr(const RCStrongPtr& other) : _object(other._object) { acquire(); }
    RCStrongPtr(RCStrongPtr&& other) noexcept : _object(std::exchange(other._object, nullptr)) {}
    template <class U>
    RCStrongPtr(const RCStrongPtr<U>& other) : _object(other.get()) {
        acquire();
    }
    ~RCStrongPtr() { releaseObject(); }

    RCStrongPtr& operator=(RCStrongPtr other) noexcept {
        std::swap(_object, other._object);
        return *this;
    }

    // Takes an object already holding the reference this handle owns (from RCWeakPtr::lock).
    static RCStrongPtr adopt(T* object) {
        RCStrongPtr handle;
        handle._object = object;
        return handle;
    }

    T* get() const { return _object; }
    T* operator->() const { return checked(); }
    T& operator*() const { return *checked(); }
    bool isNull() const { return _object == nullptr; }
    explicit operator bool() const { return _object != nullptr; }
    void reset() { RCStrongPtr().swap(*this); }
    void swap(RCStrongPtr& other) noexcept { std::swap(_object, other._object); }

    // Assigns when the object has type T; on failure the handle becomes null. Reports success.
    template <class U>
    bool dynamicAssign(const RCStrongPtr<U>& other) {
        return dynamicAssign(other.get());
    }
    template <class U>
    bool dynamicAssign(U* other) {
        *this = dynamic_cast<T*>(other);
        return !isNull();
    }

private:
    T* checked() const {
        if (!_object) RCExUtil::throwExNullPtr(typeid(T).name());
        return _object;
    }
    void acquire() {
        if (_object) _object->addRef();
    }
    void releaseObject() {
        if (_object) _object->release();
    }

    T* _object = nullptr;
};

// A shared handle: same ownership as a strong handle, for objects nobody watches weakly.
template <class T>
using RCShdPtr = RCStrongPtr<T>;

template <class T, class U>
bool operator==(const RCStrongPtr<T>& a, const RCStrongPtr<U>& b) {
    return a.get() == b.get();
}
template <class T>
bool operator==(const RCStrongPtr<T>& a, std::nullptr_t) {
    return a.isNull();
}
template <class T, class U>
bool operator<(const RCStrongPtr<T>& a, const RCStrongPtr<U>& b) {
    return std::less<const void*>()(a.get(), b.get());
}

// Checked cast: null in, null out; an object of another type raises ExBadCast.
template <class T, class U>
RCStrongPtr<T> rcCheckedCast(const RCStrongPtr<U>& handle);

template <class T, class... Args>
RCStrongPtr<T> makeRC(Args&&... args) {
    return RCStrongPtr<T>(new T(std::forward<Args>(args)...));
}

} // namespace Zv

template <class T>
struct std::hash<Zv::RCStrongPtr<T>> {
    size_t operator()(const Zv::RCStrongPtr<T>& handle) const noexcept { return std::hash<T*>()(handle.get()); }
};

#include "platform/base/exBase.h"

namespace Zv {
template <class T, class U>
RCStrongPtr<T> rcCheckedCast(const RCStrongPtr<U>& handle) {
    if (handle.isNull()) return {};
    T* cast = dynamic_cast<T*>(handle.get());
    if (!cast) throw ExBadCast(__FILE__, __LINE__, std::string("bad cast to ") + typeid(T).name());
    return RCStrongPtr<T>(cast);
}
} // namespace Zv
