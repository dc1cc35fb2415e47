#pragma once

#include "platform/ui/mfNavigateTool.h"

namespace Zv {

// Pans with the middle button and zooms with the wheel; a manual pan or zoom ends automatic zoom.
class ScNavigateTool : public MfNavigateTool {
public:
    ScNavigateTool();
    ~ScNavigateTool() override;

    void monitorManipulation(EvDeviceEvent& event) override;
};

} // namespace Zv
