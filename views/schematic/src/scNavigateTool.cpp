#include "views/schematic/src/scNavigateTool.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

namespace Zv {

ScNavigateTool::ScNavigateTool() : MfNavigateTool(PanMode::MiddleDrag, ZoomMode::Wheel) {}

ScNavigateTool::~ScNavigateTool() = default;

void ScNavigateTool::monitorManipulation(EvDeviceEvent& event) {
    // The viewer's zoom setter ends automatic zoom; a pan has to say so itself.
    if (auto* viewer = dynamic_cast<ScViewer*>(event.getViewer().get()); viewer && viewer->getOptions().autoZoom)
        viewer->getClient().autoZoomOff();
    MfNavigateTool::monitorManipulation(event);
}

} // namespace Zv
