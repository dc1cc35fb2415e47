#pragma once

#include "platform/graph/piNode.h"
#include "platform/graph/piPath.h"
#include "platform/graph/snItem.h"

#include <type_traits>

namespace Zv {

// A selection item naming a graph object (PiNode, PiInput or PiOutput) through a path, read-only.
template <class T>
class PiSnItemConst : public SnItem {
public:
    static RCStrongPtr<PiSnItemConst> create(const RCStrongPtr<T>& object, const RCShdPtr<PiPath>& path = {}) {
        return RCStrongPtr<PiSnItemConst>(new PiSnItemConst(object, path));
    }

    RCStrongPtr<const T> get() const { return _object; }
    const RCShdPtr<PiPath>& getPath() const { return _path; }
    bool isValid() const override { return !_object.isNull() && _object->isLive(); }
    bool isEqual(const SnItem& other) const override {
        auto* same = dynamic_cast<const PiSnItemConst*>(&other);
        return same && same->_object == _object;
    }
    void dump(std::ostream& out) const override {
        if constexpr (std::is_base_of_v<PiNode, T>)
            out << "node " << _object->getId() << " " << _object->getName().str();
        else out << "socket " << _object->getNodePtr()->getName().str() << "." << _object->getName().str();
    }

protected:
    PiSnItemConst(RCStrongPtr<T> object, RCShdPtr<PiPath> path) : _object(std::move(object)), _path(std::move(path)) {}

    RCStrongPtr<T> _object;
    RCShdPtr<PiPath> _path;
};

} // namespace Zv
