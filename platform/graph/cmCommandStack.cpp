#include "platform/graph/cmCommandStack.h"

#include "platform/base/assertions.h"
#include "platform/graph/piEditScope.h"

#include <sstream>

namespace Zv {

void CmCommandStack::undo() {
    ZV_ASSERT(canUndo());
    {
        PiEditScope scope({}, false);
        const Entry& entry = _entries[_nbDone - 1];
        for (auto command = entry.commands.rbegin(); command != entry.commands.rend(); ++command)
            PiEditScope::run(*command, true);
        --_nbDone;
    }
    _changed.call();
}

void CmCommandStack::redo() {
    ZV_ASSERT(canRedo());
    {
        PiEditScope scope({}, false);
        for (const auto& command : _entries[_nbDone].commands) PiEditScope::run(command, false);
        ++_nbDone;
    }
    _changed.call();
}

LiString CmCommandStack::getUndoName() const {
    return canUndo() ? _entries[_nbDone - 1].name : LiString();
}

LiString CmCommandStack::getRedoName() const {
    return canRedo() ? _entries[_nbDone].name : LiString();
}

void CmCommandStack::clear() {
    _clean = isClean() ? 0 : NoCleanPoint;
    _entries.clear();
    _nbDone = 0;
    _changed.call();
}

void CmCommandStack::addEntry(const LiString& name, std::vector<RCStrongPtr<CmCommand>> commands) {
    if (_clean > _nbDone) _clean = NoCleanPoint;
    _entries.resize(_nbDone);
    _entries.push_back({name, std::move(commands)});
    _nbDone = _entries.size();
    _changed.call();
}

void CmCommandStack::setClean() {
    _clean = _nbDone;
    _changed.call();
}

std::string CmCommandStack::dump() const {
    std::ostringstream out;
    for (size_t i = 0; i < _entries.size(); ++i) {
        out << (i + 1 == _nbDone ? "> " : "  ") << _entries[i].name.str() << ":";
        for (const auto& command : _entries[i].commands) out << " " << command->getName().str();
        out << "\n";
    }
    return out.str();
}

} // namespace Zv
