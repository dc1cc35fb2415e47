#include "platform/ui/mfNavigateTool.h"

#include "platform/ui/evWheelEvent.h"
#include "platform/ui/mfViewer.h"
#include "platform/ui/vwUtils.h"
#include "platform/ui/wsCursorRegistry.h"

#include <cmath>

namespace Zv {

MfNavigateTool::MfNavigateTool(PanMode panMode, ZoomMode zoomMode) : _zoomMode(zoomMode) {
    if (panMode == PanMode::None) return;
    auto pan = makeRC<MfPlanarManip2D>();
    pan->setGraspPredicate(MfEventPredicates::isButtonPress(EvButton::Middle));
    pan->setCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Pan));
    addManipulator(pan);
}

bool MfNavigateTool::handleEvent(EvEvent& event) {
    auto* wheel = dynamic_cast<EvWheelEvent*>(&event);
    if (wheel == nullptr || isManipulating()) return MfTool::handleEvent(event);
    UPtr<MfViewer> viewer = wheel->getViewer();
    if (_zoomMode == ZoomMode::None || !viewer) return false;
    // The zoom the limits allow decides the pan that keeps the point under the pointer.
    VwView zoomed = viewer->getView();
    zoomed.setUserZoom(zoomed.getUserZoom() * std::pow(ZoomStep, wheel->getSteps()));
    const GeVector2<float> pan =
        VwUtils::computePanAroundZoomLocation(viewer->getView(), wheel->getCoord(), zoomed.getUserZoom());
    viewer->setUserZoom(zoomed.getUserZoom());
    viewer->setUserPan(pan);
    return true;
}

void MfNavigateTool::monitorManipulation(EvDeviceEvent& event) {
    UPtr<MfViewer> viewer = event.getViewer();
    if (!viewer) return;
    const RCShdPtr<MfPlanarManip2D>& pan = getGraspedManipulator();
    const GeVector2<float> moved =
        VwUtils::windowToWorldVector(viewer->getView(), pan->getCurrent() - pan->getPrevious());
    viewer->setUserPan(viewer->getView().getUserPan() + moved);
}

} // namespace Zv
