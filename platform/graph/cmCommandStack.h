#pragma once

#include "platform/base/cbList.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/cmCommand.h"

#include <string>
#include <vector>

namespace Zv {

// The undo and redo entries of one graph. Each entry is a named list of commands.
class CmCommandStack {
public:
    CmCommandStack() = default;
    CmCommandStack(const CmCommandStack&) = delete;
    CmCommandStack& operator=(const CmCommandStack&) = delete;

    bool canUndo() const { return _nbDone > 0; }
    bool canRedo() const { return _nbDone < _entries.size(); }
    // Runs the last entry's undo steps, last first, as one change; when one fails, the steps
    // already undone are done again and the entry stays the next to undo.
    void undo();
    void redo();
    LiString getUndoName() const;
    LiString getRedoName() const;
    int getNbUndoEntries() const { return static_cast<int>(_nbDone); }
    int getNbRedoEntries() const { return static_cast<int>(_entries.size() - _nbDone); }
    // Entries oldest first: those that undo can take back, then those that redo can do again.
    int getNbEntries() const { return static_cast<int>(_entries.size()); }
    const LiString& getEntryName(int index) const { return _entries.at(index).name; }
    void clear();

    // The saved point: undo or redo back to it makes the stack clean again. A new entry made
    // after undoing past it drops the way back, and the stack stays unclean until the next save.
    void setClean();
    bool isClean() const { return _clean == _nbDone; }

    // A read-only document's stack takes no entries from the user's edits.
    bool isWritable() const { return _writable; }
    void setWritable(bool writable) { _writable = writable; }

    // Called after every change of the entries.
    CbRegistration addChangedCb(RCStrongPtr<CbHandler<>> handler) { return _changed.add(std::move(handler)); }
    // A new entry (commands already done); drops what could be redone.
    void addEntry(const LiString& name, std::vector<RCStrongPtr<CmCommand>> commands);
    // One line per entry: its name and its commands, the next to undo marked.
    std::string dump() const;

private:
    struct Entry {
        LiString name;
        std::vector<RCStrongPtr<CmCommand>> commands;
    };
    std::vector<Entry> _entries;
    size_t _nbDone = 0;
    static constexpr size_t NoCleanPoint = ~size_t(0);
    size_t _clean = 0; // _nbDone at the saved point; NoCleanPoint once unreachable
    bool _writable = true;
    CbList<> _changed;
};

} // namespace Zv
