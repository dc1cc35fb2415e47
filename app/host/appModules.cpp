#include "app/host/appModules.h"

#include "platform/base/exBase.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace Zv {
namespace {

std::vector<std::string>& loaded() {
    static std::vector<std::string> paths;
    return paths;
}

} // namespace

std::string AppModules::getDefaultFolder() {
    if (const char* folder = std::getenv("ZV_MODULES_DIR"); folder && *folder) return folder;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::current_path() : program.parent_path()) / "modules";
}

void AppModules::loadAll(const std::string& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return;
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".zvview") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    for (const std::string& path : paths) {
        if (std::find(loaded().begin(), loaded().end(), path) != loaded().end()) continue;
        // Bound now, so a module that misses a symbol is refused here rather than failing later.
        if (dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL) == nullptr)
            throw ExBadInput(__FILE__, __LINE__, "cannot load the module " + path + ": " + dlerror());
        loaded().push_back(path);
    }
}

const std::vector<std::string>& AppModules::getLoaded() {
    return loaded();
}

} // namespace Zv
