#pragma once

#include "platform/base/rcWeakPtr.h"
#include "platform/graph/cmCommand.h"

namespace Zv {

class SvBrowserGraph;

// Recorded first in a paste's undo entry, so that its undo runs once the pasted nodes are gone: it
// takes the scene's links that lead to nodes no longer in the graph away at once.
class CleanDanglingEdgesCmd : public CmCommand {
public:
    explicit CleanDanglingEdgesCmd(const RCStrongPtr<SvBrowserGraph>& browser);

    LiString getName() const override { return "Clean Dangling Edges"; }
    void doIt() override {}
    void undoIt() override;

private:
    RCWeakPtr<SvBrowserGraph> _browser;
};

} // namespace Zv
