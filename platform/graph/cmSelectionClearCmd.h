#pragma once

#include "platform/graph/cmSelectionReplaceAllItemsCmd.h"

namespace Zv {

// Empties a selection; undo gives the items back.
class CmSelectionClearCmd : public CmSelectionReplaceAllItemsCmd {
public:
    explicit CmSelectionClearCmd(RCShdPtr<SnSelection> selection)
        : CmSelectionReplaceAllItemsCmd(std::move(selection), {}) {}

    LiString getName() const override { return "Clear Selection"; }
};

} // namespace Zv
