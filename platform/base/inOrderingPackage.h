#pragma once

#include "platform/base/inInit.h"

#include <initializer_list>

namespace Zv {

// A package that sets nothing up: its record is there so that the packages built on it start after
// it. It registers itself when constructed.
template <class Tag>
class InOrderingPackage : public InInit<Tag> {
public:
    InOrderingPackage(LiString name, std::initializer_list<InPackageType> dependencies) : InInit<Tag>(std::move(name)) {
        InPackageInit::registerPackage(this);
        for (InPackageType dependency : dependencies) this->addDependency(dependency);
    }
    void startUp() override {}
    void shutDown() override {}
};

} // namespace Zv
