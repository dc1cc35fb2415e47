#pragma once

#include "platform/ui/mfTool.h"

namespace Zv {

// Presses on a node's strips: the thumbnail strip shows or hides the node's image, the second strip
// switches its effect off or on. Any other press on a tab is taken and does nothing, so a viewer
// without the link tool starts no link from a tab.
class ScTabTool : public MfTool {
public:
    ScTabTool();
    ~ScTabTool() override;

    bool handleEvent(EvEvent& event) override;
    void initiateManipulation(EvDeviceEvent& event) override;
};

} // namespace Zv
