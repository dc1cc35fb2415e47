#pragma once

#include <string>
#include <vector>

namespace Zv {

// The modules of the program: shared libraries named "*.zvview" in its modules folder, loaded at
// start-up. Loading one constructs its package record, which registers the package; the module's
// start-up hook runs later, when the host starts the packages. Modules stay loaded until the end.
class AppModules {
public:
    // $ZV_MODULES_DIR, else the "modules" folder beside the program.
    static std::string getDefaultFolder();
    // Loads every module of the folder in name order; a folder that does not exist holds none.
    // ExBadInput names a module that cannot be loaded and why.
    static void loadAll(const std::string& folder);
    // Paths of the modules loaded so far, in loading order.
    static const std::vector<std::string>& getLoaded();
};

} // namespace Zv
