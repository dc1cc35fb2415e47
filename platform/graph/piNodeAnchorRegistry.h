#pragma once

#include "platform/base/liString.h"

#include <vector>

namespace Zv {

// The anchor types offered to the user, in menu order.
class PiNodeAnchorRegistry {
public:
    static PiNodeAnchorRegistry& getInstance();

    const std::vector<LiString>& getTypes() const { return _types; }
    bool hasType(const LiString& type) const;
    // Adds a type at the end unless it is known.
    void registerType(const LiString& type);

private:
    PiNodeAnchorRegistry();
    std::vector<LiString> _types;
};

} // namespace Zv
