#pragma once

#include "views/schematic/src/scToolAutoPan.h"
#include "views/schematic/src/scViewer.h"

#include "platform/ui/mfTool.h"

#include <vector>

namespace Zv {

// Drags a visual group's box with its member nodes, in one "Move" undo entry.
class ScMoveGroupTool : public MfTool {
public:
    ScMoveGroupTool();
    ~ScMoveGroupTool() override;

    bool handleEvent(EvEvent& event) override;
    void initiateManipulation(EvDeviceEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;
    void finalizeManipulation(EvDeviceEvent& event) override;

private:
    void moveBy(const GeVector2<float>& delta);
    void redraw() const;
    // Lowers the members and gives the options back; finished, the members' positions are kept.
    void end(bool finished);

    GePoint2<float> _pressPoint;
    // Set from the first pointer move of a drag to its end.
    RCShdPtr<ScViewer> _viewer;
    RCShdPtr<ScGroup> _group;
    std::vector<RCStrongPtr<ScNode>> _members;
    std::vector<RCStrongPtr<ScEdge>> _links;
    ScViewer::SuspendedOptions _options{};
    ScToolAutoPan _autoPan;
};

} // namespace Zv
