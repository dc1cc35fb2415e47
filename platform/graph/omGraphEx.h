#pragma once

#include "platform/base/exBase.h"

namespace Zv {

// An edit the graph refuses; the graph is left as it was.
class OmGraphEx : public ExBase {
public:
    using ExBase::ExBase;

    // The connection would make the graph cyclic.
    class ExCycle;
};

class OmGraphEx::ExCycle : public OmGraphEx {
public:
    using OmGraphEx::OmGraphEx;
};

} // namespace Zv
