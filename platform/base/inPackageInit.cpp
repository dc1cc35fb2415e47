#include "platform/base/inPackageInit.h"

#include "platform/base/inPackageManager.h"

#include <algorithm>

namespace Zv {

InPackageInit::~InPackageInit() {
    InPackageManager::unregisterPackage(this);
}

void InPackageInit::addDependency(InPackageType type) {
    if (std::find(_dependencies.begin(), _dependencies.end(), type) == _dependencies.end())
        _dependencies.push_back(type);
}

void InPackageInit::removeDependency(InPackageType type) {
    std::erase(_dependencies, type);
}

void InPackageInit::registerPackage(InPackageInit* package) {
    InPackageManager::registerPackage(package);
}

} // namespace Zv
