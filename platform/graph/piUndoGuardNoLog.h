#pragma once

#include "platform/graph/piEditScope.h"

namespace Zv {

// Edits of its scope leave no undo entry (their hints are still sent). With clearUndo, the undo
// stacks of the graphs it changed are emptied, for edits that older entries could not survive.
class PiUndoGuardNoLog {
public:
    explicit PiUndoGuardNoLog(bool clearUndo = false) : _scope({}, false) {
        if (clearUndo) PiEditScope::requestClearUndo();
    }

private:
    PiEditScope _scope;
};

} // namespace Zv
