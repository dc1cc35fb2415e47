#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/ui/mfTool.h"

namespace Zv {

class ScViewer;

// Cuts links: with the "Disconnect" hotkey held, a press on empty background and a drag draw a cut
// line, and its release disconnects every link the line crosses, in one step.
class ScDisconnectTool : public MfTool {
public:
    ScDisconnectTool();
    ~ScDisconnectTool() override;

    bool handleEvent(EvEvent& event) override;
    void draw(MfViewer& viewer) override;
    void initiateManipulation(EvDeviceEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;
    void finalizeManipulation(EvDeviceEvent& event) override;

private:
    GeRectangle<float> getLineBounds() const;

    RCShdPtr<MfPlanarManip2D> _manipulator;
    GePoint2<float> _start;
    GePoint2<float> _end;
};

} // namespace Zv
