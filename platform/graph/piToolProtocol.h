#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcBase.h"

namespace Zv {

// What any tool answers: its name and version, which together pick its node descriptions.
class PiToolProtocol : public RCBase {
public:
    virtual const LiString& getToolName() const = 0;
    virtual int getToolVersion() const = 0;
};

} // namespace Zv
