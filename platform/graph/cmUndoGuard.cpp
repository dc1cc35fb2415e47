#include "platform/graph/cmUndoGuard.h"

namespace Zv {

void CmUndoGuard::execAndAddUndoCommand(const RCStrongPtr<CmCommand>& command) {
    {
        PiEditScope quiet({}, false);
        command->execute();
    }
    addUndoCommand(command);
}

void CmUndoGuard::addUndoCommand(const RCStrongPtr<CmCommand>& command) {
    PiEditScope::record(_stack, command);
}

} // namespace Zv
