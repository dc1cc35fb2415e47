#pragma once

#include "platform/graph/cmCommandStack.h"
#include "platform/graph/piEditScope.h"
#include "platform/graph/piExecParam.h"

namespace Zv {

// Gathers every model edit of its scope into one undo entry of that name; nested scopes fold into
// the outermost one, which also sends the scope's hints as one batch.
class PiUndoGuard {
public:
    PiUndoGuard(CmCommandStack& stack, const LiString& name, const PiExecParam& param = PiExecParam())
        : _stack(stack), _scope(name, true) {}

protected:
    CmCommandStack& _stack;

private:
    PiEditScope _scope;
};

} // namespace Zv
