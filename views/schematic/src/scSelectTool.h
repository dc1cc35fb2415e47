#pragma once

#include "views/schematic/src/scToolAutoPan.h"

#include "platform/ui/mfSelectTool.h"

namespace Zv {

class ScViewer;

// Clicks and rubber bands on the schematic. A click designates the node, the link or the group
// under the pointer; a band takes the nodes whose position point, the links whose midpoint and the
// groups whose title centre it covers. Shift adds to the selection, Ctrl toggles; an unchanged
// selection is left alone, so no change is announced. While a band is dragged the view neither fits
// itself nor lays the graph out, and it scrolls near its sides. With the K key down, the designated
// nodes' tools are marked for keyframing, or unmarked when they were.
class ScSelectTool : public MfSelectTool {
public:
    ScSelectTool();
    ~ScSelectTool() override;

    void initiateManipulation(EvDeviceEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;
    void finalizeManipulation(EvDeviceEvent& event) override;
    // Hover: the highlight and the socket alarms follow the pointer.
    bool handleFeedback(EvDeviceEvent& event) override;

    RCShdPtr<SnSelection> getPickedSelection(EvDeviceEvent& event) override;
    RCShdPtr<SnSelection> getBandSelection(EvDeviceEvent& event, const GeRectangle<float>& band) override;
    void applySelection(EvDeviceEvent& event, const SnSelection& items) override;

private:
    // Switches back on what the band switched off.
    void restoreOptions(ScViewer* viewer) const;

    ScToolAutoPan _autoPan;
    bool _savedAutoZoom = false;
    bool _savedAutoCleanup = false;
};

} // namespace Zv
