#pragma once

#include "platform/graph/piUndoGuard.h"

namespace Zv {

// An undo scope that also takes command objects for its entry.
class CmUndoGuard : public PiUndoGuard {
public:
    using PiUndoGuard::PiUndoGuard;

    // Runs the command (its model edits record nothing of their own), then records it.
    void execAndAddUndoCommand(const RCStrongPtr<CmCommand>& command);
    // Records a command that has already done its work.
    void addUndoCommand(const RCStrongPtr<CmCommand>& command);
};

} // namespace Zv
