#include "platform/graph/piEditScope.h"

#include "platform/base/assertions.h"
#include "platform/base/obHints.h"
#include "platform/graph/cmCommandStack.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piGraph.h"

#include <algorithm>
#include <exception>
#include <memory_resource>
#include <utility>
#include <vector>

namespace Zv {
namespace {

struct Record {
    CmCommandStack* stack;
    RCStrongPtr<CmCommand> command;
};

// A change made in the open scopes: a command and which of its steps takes it back, or an undo step.
struct Step {
    RCStrongPtr<CmCommand> command;
    PiEditScope::UndoStep* undoStep;
    bool undone;
};

struct ScopeState {
    int depth = 0;
    int noLogDepth = 0;
    LiString name;
    std::vector<Record> pending;
    std::vector<Step> steps;
    std::vector<std::pair<PiGraph*, RCStrongPtr<ObHint>>> hints;
    std::vector<RCStrongPtr<PiGraph>> touched;
    bool clearUndo = false;
};

ScopeState& state() {
    static ScopeState value;
    return value;
}

// Holds the undo steps of the outermost scope; emptied when it closes.
std::pmr::monotonic_buffer_resource& undoStepMemory() {
    static std::byte initial[1 << 16];
    static std::pmr::monotonic_buffer_resource memory(initial, sizeof initial);
    return memory;
}

void dropStepsFrom(std::vector<Step>& steps, size_t at) {
    for (size_t i = at; i < steps.size(); ++i)
        if (steps[i].undoStep) steps[i].undoStep->~UndoStep();
    steps.resize(at);
}

// Groups the records by stack, in the order of each stack's first record.
void commit(const LiString& name, std::vector<Record>& records) {
    while (!records.empty()) {
        CmCommandStack* stack = records.front().stack;
        std::vector<RCStrongPtr<CmCommand>> commands;
        for (Record& record : records)
            if (record.stack == stack) commands.push_back(std::move(record.command));
        std::erase_if(records, [stack](const Record& r) { return r.stack == stack; });
        stack->addEntry(name, std::move(commands));
    }
}

void deliver(ScopeState& closing) {
    for (const auto& graph : closing.touched) {
        ObHints batch;
        // Each hint goes to one graph, so it moves into that graph's batch.
        for (auto& [target, hint] : closing.hints)
            if (target == graph.get()) batch.add(std::move(hint));
        graph->deliverHints(batch);
    }
}

} // namespace

PiEditScope::PiEditScope(const LiString& name, bool log) : _log(log), _uncaught(std::uncaught_exceptions()) {
    ZV_ASSERT(PiAppThread::isCurrent());
    ScopeState& s = state();
    if (s.depth++ == 0) s.name = name;
    if (!log) ++s.noLogDepth;
    _mark = {s.steps.size(), s.pending.size(), s.hints.size(), s.touched.size(), s.clearUndo};
}

PiEditScope::~PiEditScope() noexcept(false) {
    ScopeState& s = state();
    if (std::uncaught_exceptions() > _uncaught) rollBack();
    if (!_log) --s.noLogDepth;
    if (--s.depth > 0) return;
    ScopeState closing = std::exchange(s, ScopeState());
    dropStepsFrom(closing.steps, 0);
    undoStepMemory().release();
    commit(closing.name, closing.pending);
    if (closing.clearUndo)
        for (const auto& graph : closing.touched) graph->getCommandStack().clear();
    deliver(closing);
}

void PiEditScope::rollBack() const {
    ScopeState& s = state();
    // The opposite steps record nothing: each one's own edits are dropped with it.
    ++s.noLogDepth;
    while (s.steps.size() > _mark.steps) {
        size_t at = s.steps.size() - 1;
        // A copy: running the step may add steps, which are dropped with it.
        Step step = s.steps[at];
        if (step.undoStep) step.undoStep->run();
        else if (step.undone) step.command->execute();
        else step.command->unexecute();
        dropStepsFrom(s.steps, at);
    }
    --s.noLogDepth;
    s.pending.resize(_mark.records);
    s.hints.resize(_mark.hints);
    s.touched.resize(_mark.touched);
    s.clearUndo = _mark.clearUndo;
}

bool PiEditScope::isOpen() {
    return state().depth > 0;
}

bool PiEditScope::isLogging() {
    return state().depth > 0 && state().noLogDepth == 0;
}

void PiEditScope::record(CmCommandStack& stack, RCStrongPtr<CmCommand> command) {
    ScopeState& s = state();
    ZV_ASSERT(s.depth > 0);
    if (isLogging()) s.pending.push_back({&stack, command});
    s.steps.push_back({std::move(command), nullptr, false});
}

void PiEditScope::run(const RCStrongPtr<CmCommand>& command, bool undo, CmCommandStack* stack) {
    ScopeState& s = state();
    ZV_ASSERT(s.depth > 0);
    size_t at = s.steps.size();
    {
        PiEditScope quiet({}, false);
        if (undo) command->unexecute();
        else command->execute();
    }
    dropStepsFrom(s.steps, at);
    s.steps.push_back({command, nullptr, undo});
    if (stack && isLogging()) s.pending.push_back({stack, command});
}

void* PiEditScope::allocateUndoStep(size_t size, size_t alignment) {
    ZV_ASSERT(state().depth > 0);
    return undoStepMemory().allocate(size, alignment);
}

void PiEditScope::addUndoStep(UndoStep* step) {
    state().steps.push_back({nullptr, step, false});
}

void PiEditScope::addHint(PiGraph& graph, RCStrongPtr<ObHint> hint) {
    touch(graph);
    state().hints.emplace_back(&graph, std::move(hint));
}

void PiEditScope::touch(PiGraph& graph) {
    auto& touched = state().touched;
    if (std::none_of(touched.begin(), touched.end(), [&](const auto& g) { return g.get() == &graph; }))
        touched.emplace_back(&graph);
}

void PiEditScope::requestClearUndo() {
    state().clearUndo = true;
}

} // namespace Zv
