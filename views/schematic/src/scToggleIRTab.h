#pragma once

#include "views/schematic/src/scRoundedTab.h"

#include "platform/base/rcStrongPtr.h"

namespace Zv {

class PiNode;

// The strip that shows whether the node's effect is switched off (muted): lit while it is.
class ScToggleIRTab : public ScRoundedTab {
public:
    using ScRoundedTab::ScRoundedTab;

    std::unique_ptr<ScBorderTab> clone() const override;
    int getColorIndex() const override;
    // Takes the state of the tool it stands for; nodes of one look share the strip, so it is told before
    // each drawing.
    void reportOn(const RCStrongPtr<PiNode>& tool);
    // 1 while the effect is off; 0 otherwise and for tools that cannot switch it.
    int getState() const { return _state; }

private:
    int _state = 0;
};

} // namespace Zv
