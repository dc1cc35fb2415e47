#pragma once

#include "views/schematic/src/scToolAutoPan.h"

#include "platform/base/gePoint2.h"
#include "platform/ui/mfTool.h"

#include <memory>

namespace Zv {

class ScViewer;

// Drags the pressed node and the selected nodes, in one "Move" undo entry. While dragging, Alt
// proposes to insert the node into the link under it and Shift to feed the input under it (both
// shown as provisional links and made on release); dragged below the view, the selection is
// removed once the gesture is over.
class ScMoveTool : public MfTool {
public:
    ScMoveTool();
    ~ScMoveTool() override;

    bool handleEvent(EvEvent& event) override;
    void initiateManipulation(EvDeviceEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;
    void finalizeManipulation(EvDeviceEvent& event) override;

private:
    class Imp;

    void updateRemovalZone(ScViewer& viewer, const EvDeviceEvent& event);
    void leaveRemovalZone();
    // The view scrolled under the pointer: the nodes follow.
    void autoPanCb(const GeVector2<float>& delta);

    GePoint2<float> _pressPoint;
    std::unique_ptr<Imp> _move;
    // What the last drag event asked of the drop (an Imp::State).
    int _kind = 0;
    bool _inRemovalZone = false;
    ScToolAutoPan _autoPan;
};

} // namespace Zv
