#pragma once

#include "platform/base/rcExUtil.h"

#include <typeinfo>

namespace Zv {

// Non-owning pointer whose owner guarantees the lifetime; dereferencing null raises ExNullPtr.
template <class T>
class UPtr {
public:
    UPtr() = default;
    UPtr(T* object) : _object(object) {}

    T* get() const { return _object; }
    T* operator->() const { return checked(); }
    T& operator*() const { return *checked(); }
    bool isNull() const { return _object == nullptr; }
    explicit operator bool() const { return _object != nullptr; }
    bool operator==(const UPtr& other) const = default;

private:
    T* checked() const {
        if (!_object) RCExUtil::throwExNullPtr(typeid(T).name());
        return _object;
    }

    T* _object = nullptr;
};

} // namespace Zv
