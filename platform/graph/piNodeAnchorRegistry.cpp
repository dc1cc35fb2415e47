#include "platform/graph/piNodeAnchorRegistry.h"

#include <algorithm>

namespace Zv {

PiNodeAnchorRegistry::PiNodeAnchorRegistry() : _types{"Point", "Corner", "Center", "Track"} {}

PiNodeAnchorRegistry& PiNodeAnchorRegistry::getInstance() {
    static PiNodeAnchorRegistry instance;
    return instance;
}

bool PiNodeAnchorRegistry::hasType(const LiString& type) const {
    return std::find(_types.begin(), _types.end(), type) != _types.end();
}

void PiNodeAnchorRegistry::registerType(const LiString& type) {
    if (!hasType(type)) _types.push_back(type);
}

} // namespace Zv
