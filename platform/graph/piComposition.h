#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcBase.h"

namespace Zv {

// A composition that a link node refers to: where it is, what it serves as, and whether the
// link still shows its latest state.
class PiComposition : public RCBase {
public:
    enum Role { FootageRole = 0, CompositionRole = 1 };

    PiComposition(LiString path, Role role, bool outOfDate)
        : _path(std::move(path)), _role(role), _outOfDate(outOfDate) {}
    const LiString& getPath() const { return _path; }
    Role getRole() const { return _role; }
    bool isOutOfDate() const { return _outOfDate; }

private:
    LiString _path;
    Role _role;
    bool _outOfDate;
};

} // namespace Zv
