#pragma once

#include "platform/base/rcBase.h"

namespace Zv {

// A callable callback target, shared by the lists it is registered with.
template <class... Args>
class CbHandler : public RCBase {
public:
    virtual void call(Args... args) = 0;
};

} // namespace Zv
