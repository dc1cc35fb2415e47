#include "platform/graph/piEditScope.h"

#include "platform/base/assertions.h"
#include "platform/graph/cmCommandStack.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piGraph.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

namespace Zv {
namespace {

struct Record {
    CmCommandStack* stack;
    RCStrongPtr<CmCommand> command;
};

struct ScopeState {
    int depth = 0;
    int noLogDepth = 0;
    LiString name;
    std::vector<Record> pending;
    std::vector<RCStrongPtr<PiGraph>> touched;
    bool clearUndo = false;
};

ScopeState& state() {
    static ScopeState value;
    return value;
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

} // namespace

PiEditScope::PiEditScope(const LiString& name, bool log) : _log(log), _uncaught(std::uncaught_exceptions()) {
    ZV_ASSERT(PiAppThread::isCurrent());
    ScopeState& s = state();
    if (s.depth++ == 0) s.name = name;
    if (!log) ++s.noLogDepth;
}

PiEditScope::~PiEditScope() noexcept(false) {
    ScopeState& s = state();
    if (!_log) --s.noLogDepth;
    if (s.depth > 1) {
        --s.depth;
        return;
    }
    closeOutermost(std::uncaught_exceptions() > _uncaught);
}

void PiEditScope::closeOutermost(bool failed) {
    ScopeState& s = state();
    if (failed) {
        // Still open while the recorded edits are undone, so they record nothing and touch the same graphs.
        ++s.noLogDepth;
        for (auto record = s.pending.rbegin(); record != s.pending.rend(); ++record) record->command->undoIt();
        --s.noLogDepth;
    }
    ScopeState closing = std::exchange(s, ScopeState());
    if (failed) {
        for (const auto& graph : closing.touched) graph->discardHints();
        return;
    }
    commit(closing.name, closing.pending);
    if (closing.clearUndo)
        for (const auto& graph : closing.touched) graph->getCommandStack().clear();
    for (const auto& graph : closing.touched) graph->deliverHints();
}

bool PiEditScope::isOpen() {
    return state().depth > 0;
}

bool PiEditScope::isLogging() {
    return state().depth > 0 && state().noLogDepth == 0;
}

void PiEditScope::record(CmCommandStack& stack, RCStrongPtr<CmCommand> command) {
    if (isLogging()) state().pending.push_back({&stack, std::move(command)});
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
