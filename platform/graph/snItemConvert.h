#pragma once

#include "platform/graph/piSnItem.h"

namespace Zv {

// Converts selection items to the kind an action works on. A read-only graph item converts to a
// changeable one; a socket item converts to an item of its node.
template <class Target>
struct SnItemConvert {
    static RCStrongPtr<Target> convert(const RCStrongPtr<SnItem>& item) {
        RCStrongPtr<Target> target;
        target.dynamicAssign(item);
        return target;
    }
    static bool test(const RCStrongPtr<SnItem>& item) { return !convert(item).isNull(); }
};

template <class T>
struct SnItemConvert<PiSnItem<T>> {
    static RCStrongPtr<PiSnItem<T>> convert(const RCStrongPtr<SnItem>& item) {
        if (auto* exact = dynamic_cast<PiSnItem<T>*>(item.get())) return RCStrongPtr<PiSnItem<T>>(exact);
        if (auto* readOnly = dynamic_cast<PiSnItemConst<T>*>(item.get()))
            return PiSnItem<T>::create(RCStrongPtr<T>(const_cast<T*>(readOnly->get().get())), readOnly->getPath());
        if constexpr (std::is_same_v<T, PiNode>) {
            if (RCStrongPtr<PiNode> node = socketNode<PiInput>(item)) return PiSnItem<PiNode>::create(node);
            if (RCStrongPtr<PiNode> node = socketNode<PiOutput>(item)) return PiSnItem<PiNode>::create(node);
        }
        return {};
    }
    static bool test(const RCStrongPtr<SnItem>& item) { return !convert(item).isNull(); }

private:
    template <class S>
    static RCStrongPtr<PiNode> socketNode(const RCStrongPtr<SnItem>& item) {
        auto* socket = dynamic_cast<PiSnItemConst<S>*>(item.get());
        return socket ? socket->get()->getNode() : RCStrongPtr<PiNode>();
    }
};

template <class T>
struct SnItemConvert<PiSnItemConst<T>> {
    static RCStrongPtr<PiSnItemConst<T>> convert(const RCStrongPtr<SnItem>& item) {
        return SnItemConvert<PiSnItem<T>>::convert(item);
    }
    static bool test(const RCStrongPtr<SnItem>& item) { return !convert(item).isNull(); }
};

} // namespace Zv
