#pragma once

#include "views/schematic/src/scRoundedTab.h"

#include "platform/base/rcStrongPtr.h"

namespace Zv {

class PiNode;

// The strip that shows whether the node's effect is switched off (muted): lit while it is.
class ScToggleIRTab : public ScRoundedTab {
public:
    // tool: the processing node the strip belongs to.
    ScToggleIRTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor, const RCStrongPtr<PiNode>& tool);
    // A strip of no node, only for kept prototypes: it is copied, never drawn.
    ScToggleIRTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor);
    ~ScToggleIRTab() override;

    std::unique_ptr<ScBorderTab> clone() const override;
    // A null tool gives a strip of no node, only for kept prototypes: it is copied, never drawn.
    std::unique_ptr<ScBorderTab> cloneFor(const RCStrongPtr<PiNode>& tool) const override;
    int getColorIndex() const override;
    // 1 while the effect is off; 0 otherwise and for tools that cannot switch it.
    int getState() const;

private:
    RCStrongPtr<PiNode> _tool;
};

} // namespace Zv
