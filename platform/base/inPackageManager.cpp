#include "platform/base/inPackageManager.h"

#include "platform/base/exBase.h"
#include "platform/base/inPackageInit.h"

#include <algorithm>
#include <map>

namespace Zv {
namespace {

struct Registry {
    std::vector<InPackageInit*> packages;
    std::vector<InPackageInit*> started;
};

Registry& registry() {
    static Registry value;
    return value;
}

InPackageInit* findPackage(InPackageType type) {
    for (InPackageInit* package : registry().packages)
        // Compared as types, not addresses: a module loaded later may hold its own copy of a tag's type_info.
        if (*package->getTypeId() == *type) return package;
    return nullptr;
}

[[noreturn]] void fail(const std::string& reason) {
    throw ExBadInput(__FILE__, __LINE__, "packages: " + reason);
}

} // namespace

void InPackageManager::registerPackage(InPackageInit* package) {
    auto& packages = registry().packages;
    if (std::find(packages.begin(), packages.end(), package) == packages.end()) packages.push_back(package);
}

void InPackageManager::unregisterPackage(InPackageInit* package) {
    std::erase(registry().packages, package);
    std::erase(registry().started, package);
}

std::vector<InPackageInit*> InPackageManager::getStartOrder() {
    // Depth-first post-order; registration order breaks ties, so the order is the same on every run.
    enum Mark { Unvisited, Visiting, Done };
    std::map<InPackageInit*, Mark> marks;
    std::vector<InPackageInit*> order;
    struct Frame {
        InPackageInit* package;
        size_t next;
    };
    for (InPackageInit* root : registry().packages) {
        if (marks[root] == Done) continue;
        std::vector<Frame> stack{{root, 0}};
        marks[root] = Visiting;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto& dependencies = frame.package->getDependencies();
            if (frame.next == dependencies.size()) {
                marks[frame.package] = Done;
                order.push_back(frame.package);
                stack.pop_back();
                continue;
            }
            InPackageType type = dependencies[frame.next++];
            InPackageInit* dependency = findPackage(type);
            if (!dependency)
                fail(frame.package->getName().str() + " depends on " + type->name() + ", which is not registered");
            if (marks[dependency] == Visiting)
                fail(frame.package->getName().str() + " and " + dependency->getName().str() + " depend on each other");
            if (marks[dependency] == Unvisited) {
                marks[dependency] = Visiting;
                stack.push_back({dependency, 0});
            }
        }
    }
    return order;
}

void InPackageManager::startAll() {
    std::vector<InPackageInit*> order = getStartOrder();
    for (InPackageInit* package : order) {
        package->startUp();
        registry().started.push_back(package);
    }
}

void InPackageManager::shutDownAll() {
    auto& started = registry().started;
    while (!started.empty()) {
        InPackageInit* package = started.back();
        started.pop_back();
        package->shutDown();
    }
}

} // namespace Zv
