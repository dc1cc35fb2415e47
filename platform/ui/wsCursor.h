#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcBase.h"

namespace Zv {

// A pointer shape, known by name; the backend maps names to the window system's cursors.
class WsCursor : public RCBase {
public:
    explicit WsCursor(LiString name) : _name(std::move(name)) {}
    const LiString& getName() const { return _name; }

private:
    LiString _name;
};

} // namespace Zv
