#pragma once

#include "platform/base/liString.h"
#include "platform/base/obHint.h"
#include "platform/base/rcStrongPtr.h"

#include <cstddef>
#include <new>
#include <utility>

namespace Zv {

class CmCommand;
class CmCommandStack;
class PiGraph;

// One edit scope of the application thread. Scopes nest; when the outermost one closes, the undo
// records of its edits become one entry per command stack, named by the outermost scope, and each
// graph it changed sends its hints as one batch. A scope that does not log (or lies inside one
// that does not) records no undo entry. Any scope that an exception leaves takes back the edits
// made inside it, logged or not, and drops their hints, so observers never see them.
class PiEditScope {
public:
    PiEditScope(const LiString& name, bool log);
    ~PiEditScope() noexcept(false);
    PiEditScope(const PiEditScope&) = delete;
    PiEditScope& operator=(const PiEditScope&) = delete;

    static bool isOpen();
    static bool isLogging();
    // Keeps a done command: for the entry of that stack when logging, and to take it back if a
    // scope around it fails.
    static void record(CmCommandStack& stack, RCStrongPtr<CmCommand> command);
    // Runs a command's do step, or its undo step, as one step: the edits it makes are not kept
    // on their own, a failing scope runs the opposite step. With a stack, the command also joins
    // that stack's entry when logging.
    static void run(const RCStrongPtr<CmCommand>& command, bool undo, CmCommandStack* stack = nullptr);
    // Keeps the undo step of a change that no undo entry records, for the rollback of a failing
    // scope; cheaper than a command, it lives until the outermost scope closes.
    template <class Undo>
    static void keepUndoStep(Undo undoStep);
    // A hint for the graph's batch; it marks the graph as changed.
    static void addHint(PiGraph& graph, RCStrongPtr<ObHint> hint);
    // The graph has changes to report when the outermost scope closes.
    static void touch(PiGraph& graph);
    // The undo stacks of the graphs changed in this scope are emptied when it closes.
    static void requestClearUndo();

    // An undo step kept by keepUndoStep.
    struct UndoStep {
        virtual ~UndoStep() = default;
        virtual void run() = 0;
    };

private:
    template <class Undo>
    struct UndoFunction : UndoStep {
        explicit UndoFunction(Undo undo) : _undo(std::move(undo)) {}
        void run() override { _undo(); }
        Undo _undo;
    };
    static void* allocateUndoStep(size_t size, size_t alignment);
    static void addUndoStep(UndoStep* step);

    // What the scope state held when this scope opened.
    struct Mark {
        size_t steps, records, hints, touched;
        bool clearUndo;
    };
    void rollBack() const;

    bool _log;
    int _uncaught;
    Mark _mark;
};

template <class Undo>
void PiEditScope::keepUndoStep(Undo undoStep) {
    using Step = UndoFunction<Undo>;
    addUndoStep(new (allocateUndoStep(sizeof(Step), alignof(Step))) Step(std::move(undoStep)));
}

} // namespace Zv
