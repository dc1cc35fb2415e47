#include "platform/ui/mfPlanarManip2D.h"

#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/mfViewer.h"
#include "platform/ui/vwUtils.h"

namespace Zv {
namespace {

GePoint2<float> worldOf(const EvDeviceEvent& event) {
    UPtr<MfViewer> viewer = event.getViewer();
    return viewer ? VwUtils::windowToWorldOrtho(viewer->getView(), event.getCoord()) : event.getCoord();
}

} // namespace

MfPlanarManip2D::MfPlanarManip2D() : _graspPredicate(MfEventPredicates::isButtonPress(EvButton::Left)) {}

MfPlanarManip2D::~MfPlanarManip2D() = default;

bool MfPlanarManip2D::tryGrasp(const EvDeviceEvent& event) {
    const auto* press = dynamic_cast<const EvPointerButtonEvent*>(&event);
    if (press == nullptr || !press->isPress() || !_graspPredicate->evaluate(event)) return false;
    _grasped = true;
    _button = press->getTriggerButton();
    _first = _previous = _current = event.getCoord();
    _firstWorld = _previousWorld = _currentWorld = worldOf(event);
    grasped();
    return true;
}

void MfPlanarManip2D::drag(const EvDeviceEvent& event) {
    _previous = _current;
    _previousWorld = _currentWorld;
    _current = event.getCoord();
    _currentWorld = worldOf(event);
}

bool MfPlanarManip2D::isReleasedBy(const EvDeviceEvent& event) const {
    const auto* release = dynamic_cast<const EvPointerButtonEvent*>(&event);
    return release != nullptr && !release->isPress() && release->getTriggerButton() == _button;
}

} // namespace Zv
