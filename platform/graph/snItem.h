#pragma once

#include "platform/base/rcBase.h"

#include <ostream>

namespace Zv {

// One element of a selection.
class SnItem : public RCBase {
public:
    // False once what the item names is gone.
    virtual bool isValid() const = 0;
    // Names the same thing.
    virtual bool isEqual(const SnItem& other) const = 0;
    virtual void dump(std::ostream& out) const = 0;
};

} // namespace Zv
