#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class CmCommand;
class CmCommandStack;
class PiGraph;

// One edit scope of the application thread. Scopes nest; when the outermost one closes, the undo
// records of its edits become one entry per command stack, named by the outermost scope, and each
// graph it changed sends its hints as one batch. A scope that does not log (or lies inside one
// that does not) records nothing. An exception leaving the outermost scope undoes its recorded
// edits and drops their hints.
class PiEditScope {
public:
    PiEditScope(const LiString& name, bool log);
    ~PiEditScope() noexcept(false);
    PiEditScope(const PiEditScope&) = delete;
    PiEditScope& operator=(const PiEditScope&) = delete;

    static bool isOpen();
    static bool isLogging();
    // Keeps a done command for the entry of that stack (nothing when not logging).
    static void record(CmCommandStack& stack, RCStrongPtr<CmCommand> command);
    // The graph has hints to send when the outermost scope closes.
    static void touch(PiGraph& graph);
    // The undo stacks of the graphs changed in this scope are emptied when it closes.
    static void requestClearUndo();

private:
    void closeOutermost(bool failed);

    bool _log;
    int _uncaught;
};

} // namespace Zv
