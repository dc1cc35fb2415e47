#include "platform/graph/cmUndoGuard.h"

namespace Zv {

void CmUndoGuard::execAndAddUndoCommand(const RCStrongPtr<CmCommand>& command) {
    PiEditScope::run(command, false, &_stack);
}

void CmUndoGuard::addUndoCommand(const RCStrongPtr<CmCommand>& command) {
    PiEditScope::record(_stack, command);
}

} // namespace Zv
