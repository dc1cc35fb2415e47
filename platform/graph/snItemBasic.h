#pragma once

#include "platform/graph/snItem.h"

#include <concepts>
#include <utility>

namespace Zv {

// A selection item holding a value of its own (clipboard contents and the like).
template <class T>
class SnItemBasic : public SnItem {
public:
    explicit SnItemBasic(T value) : _value(std::move(value)) {}

    const T& get() const { return _value; }
    bool isValid() const override { return true; }
    bool isEqual(const SnItem& other) const override {
        auto* same = dynamic_cast<const SnItemBasic*>(&other);
        if constexpr (std::equality_comparable<T>) return same && same->_value == _value;
        else return same == this;
    }
    void dump(std::ostream& out) const override {
        if constexpr (requires { _value.dump(out); }) _value.dump(out);
    }

private:
    T _value;
};

} // namespace Zv
