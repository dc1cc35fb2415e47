#pragma once

#include "platform/base/liString.h"

#include <typeinfo>
#include <vector>

namespace Zv {

// Identity of a package: the type of its tag.
using InPackageType = const std::type_info*;

// A package's record: its name, the packages it needs first, and its life-cycle hooks.
// Records are registered with registerPackage; InPackageManager runs the hooks.
class InPackageInit {
public:
    explicit InPackageInit(LiString name) : _name(std::move(name)) {}
    virtual ~InPackageInit();

    void addDependency(InPackageType type);
    void removeDependency(InPackageType type);
    const LiString& getName() const { return _name; }

    virtual void preStartUp() {}
    virtual void postStartUp() {}
    virtual void startUp() = 0;
    virtual void shutDown() = 0;
    virtual void setFlag(bool flag) {}

    virtual InPackageType getTypeId() const = 0;
    const std::vector<InPackageType>& getDependencies() const { return _dependencies; }

    static void registerPackage(InPackageInit* package);

private:
    LiString _name;
    std::vector<InPackageType> _dependencies;
};

} // namespace Zv
