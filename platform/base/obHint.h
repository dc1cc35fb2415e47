#pragma once

#include "platform/base/rcBase.h"

namespace Zv {

// One change notice of a batch; subjects derive their kinds from it.
class ObHint : public RCBase {
public:
    ~ObHint() override = default;
};

} // namespace Zv
