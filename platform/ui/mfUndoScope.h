#pragma once

namespace Zv {

// An open undo group of a viewer's document; destroying it closes the group.
class MfUndoScope {
public:
    virtual ~MfUndoScope() = default;
};

} // namespace Zv
