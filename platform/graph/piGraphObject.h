#pragma once

#include "platform/base/rcStrongPtr.h"

namespace Zv {

// Base of nodes and sockets.
class PiGraphObject : public RCBase {
public:
    // False once the object left its graph (removed objects stay alive while undo may restore them).
    virtual bool isLive() const = 0;

    // Same object, null-safe: two nulls are equal.
    static bool areEqual(const PiGraphObject* a, const PiGraphObject* b) { return a == b; }
    template <class A, class B>
    static bool areEqual(const RCStrongPtr<A>& a, const RCStrongPtr<B>& b) {
        return areEqual(static_cast<const PiGraphObject*>(a.get()), static_cast<const PiGraphObject*>(b.get()));
    }
};

} // namespace Zv
