#pragma once

#include "platform/ui/mfTool.h"

namespace Zv {

// Pans and zooms the viewer: a middle-button drag moves the scene with the pointer, the wheel zooms
// about the pointer.
class MfNavigateTool : public MfTool {
public:
    enum class PanMode : int {
        None = 0,       // no panning
        MiddleDrag = 1, // a middle-button drag pans
    };
    enum class ZoomMode : int {
        None = 0,  // no zooming
        Wheel = 1, // each wheel step zooms by ZoomStep about the pointer
    };
    static constexpr float ZoomStep = 1.25f;

    MfNavigateTool(PanMode panMode, ZoomMode zoomMode);

    bool handleEvent(EvEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;

private:
    ZoomMode _zoomMode;
};

} // namespace Zv
