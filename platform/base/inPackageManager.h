#pragma once

#include <vector>

namespace Zv {

class InPackageInit;

// Runs the start-up hooks of registered packages in dependency order and the shut-down hooks in reverse.
class InPackageManager {
public:
    static void registerPackage(InPackageInit* package);
    static void unregisterPackage(InPackageInit* package);

    // Raises ExBadInput naming the package when a dependency is not registered or dependencies form a cycle.
    static void startAll();
    static void shutDownAll();
    // The order startAll runs (or ran) the packages in.
    static std::vector<InPackageInit*> getStartOrder();
};

} // namespace Zv
