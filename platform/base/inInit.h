#pragma once

#include "platform/base/inPackageInit.h"

namespace Zv {

// The package record of the package tagged Tag. A package specialises it or derives from it
// and overrides the start-up and shut-down hooks.
template <class Tag>
class InInit : public InPackageInit {
public:
    using InPackageInit::InPackageInit;
    static InPackageType getType() { return &typeid(Tag); }
    InPackageType getTypeId() const override { return getType(); }
};

} // namespace Zv
