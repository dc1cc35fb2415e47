#pragma once

#include "platform/graph/piSnItemConst.h"

namespace Zv {

// A selection item naming a graph object that its holder may change.
template <class T>
class PiSnItem : public PiSnItemConst<T> {
public:
    static RCStrongPtr<PiSnItem> create(const RCStrongPtr<T>& object, const RCShdPtr<PiPath>& path = {}) {
        return RCStrongPtr<PiSnItem>(new PiSnItem(object, path));
    }

    RCStrongPtr<T> get() const { return this->_object; }

private:
    PiSnItem(const RCStrongPtr<T>& object, const RCShdPtr<PiPath>& path) : PiSnItemConst<T>(object, path) {}
};

} // namespace Zv
