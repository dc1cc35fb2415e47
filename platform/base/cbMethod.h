#pragma once

#include "platform/base/cbHandler.h"

#include <functional>

namespace Zv {

// A callback bound to a member function of its owner. The owner keeps it alive through a CbGroup.
template <class Owner, class... Args>
class CbMethod : public CbHandler<Args...> {
public:
    using Method = void (Owner::*)(Args...);
    CbMethod(Owner* owner, Method method) : _owner(owner), _method(method) {}
    void call(Args... args) override { (_owner->*_method)(args...); }

private:
    Owner* _owner;
    Method _method;
};

// A callback around any callable, for glue code and tests.
template <class... Args>
class CbFunction : public CbHandler<Args...> {
public:
    explicit CbFunction(std::function<void(Args...)> function) : _function(std::move(function)) {}
    void call(Args... args) override { _function(args...); }

private:
    std::function<void(Args...)> _function;
};

} // namespace Zv
