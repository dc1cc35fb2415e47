#pragma once

#include "platform/graph/cmCommand.h"
#include "platform/graph/snSelection.h"

namespace Zv {

// Replaces a selection's items; undo gives the former items back.
class CmSelectionReplaceAllItemsCmd : public CmCommand {
public:
    CmSelectionReplaceAllItemsCmd(RCShdPtr<SnSelection> selection, SnSelection::Items items)
        : _selection(std::move(selection)), _items(std::move(items)) {}

    LiString getName() const override { return "Select"; }
    void doIt() override {
        _former = _selection->getItems();
        _selection->replaceAll(_items);
    }
    void undoIt() override { _selection->replaceAll(_former); }

private:
    RCShdPtr<SnSelection> _selection;
    SnSelection::Items _items;
    SnSelection::Items _former;
};

} // namespace Zv
