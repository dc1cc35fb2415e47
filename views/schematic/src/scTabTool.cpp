#include "views/schematic/src/scTabTool.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

namespace Zv {

ScTabTool::ScTabTool() {
    addManipulator(makeRC<MfPlanarManip2D>());
}

ScTabTool::~ScTabTool() = default;

bool ScTabTool::handleEvent(EvEvent& event) {
    if (isManipulating()) return MfTool::handleEvent(event);
    auto* device = dynamic_cast<EvDeviceEvent*>(&event);
    ScViewer* viewer = device ? ScViewer::getEventViewer(*device) : nullptr;
    if (viewer == nullptr) return false;
    const ScViewer::Pick picked = viewer->pickAtWindow(device->getCoord());
    return !picked.node.isNull() && picked.partCode != ScPart::Body && MfTool::handleEvent(event);
}

void ScTabTool::initiateManipulation(EvDeviceEvent& event) {
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (viewer == nullptr) return;
    const ScViewer::Pick picked = viewer->pickAtWindow(event.getCoord());
    if (picked.node.isNull() || !picked.node->hasProcessingNode()) return;
    if (picked.partCode == ScPart::FirstStrip) {
        viewer->getClient().toggleNodeImage(picked.node->getProcessingNode());
        // A shown image changes the node's size.
        viewer->layoutAfterResize();
        viewer->update("ScTabTool::initiateManipulation( image shown )");
    } else if (picked.partCode == ScPart::SecondStrip) {
        viewer->getClient().toggleNodeMute(picked.node->getProcessingNode());
        viewer->redrawNode(*picked.node);
    }
}

} // namespace Zv
