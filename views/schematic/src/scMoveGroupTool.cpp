#include "views/schematic/src/scMoveGroupTool.h"

#include "views/schematic/src/scViewerClient.h"

#include "platform/base/cbMethod.h"

#include "platform/ui/mfEventPredicates.h"
#include "platform/ui/vwUtils.h"

namespace Zv {

ScMoveGroupTool::ScMoveGroupTool()
    : _autoPan("ScMoveGroupTool",
               makeRC<CbMethod<ScMoveGroupTool, const GeVector2<float>&>>(this, &ScMoveGroupTool::moveBy)) {
    addManipulator(makeRC<MfPlanarManip2D>());
    setUndoString("Move");
}

ScMoveGroupTool::~ScMoveGroupTool() {
    if (!_group.isNull()) end(false);
}

bool ScMoveGroupTool::handleEvent(EvEvent& event) {
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (viewer) viewer->setKeyModifierDown(static_cast<EvDeviceEvent&>(event).getModifiers() != EvModifier::None);
    if (!isManipulating() &&
        (!viewer || viewer->pickAtWindow(static_cast<EvDeviceEvent&>(event).getCoord()).group.isNull()))
        return false;
    return MfTool::handleEvent(event);
}

void ScMoveGroupTool::initiateManipulation(EvDeviceEvent& event) {
    if (ScViewer* viewer = ScViewer::getEventViewer(event)) _pressPoint = viewer->toScene(event.getCoord());
}

void ScMoveGroupTool::monitorManipulation(EvDeviceEvent& event) {
    static const MfEventPredicates::Predicate pointerMove = MfEventPredicates::isPointerMove();
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (!viewer || !pointerMove->evaluate(event)) return;
    if (_group.isNull()) {
        _group = viewer->pick(_pressPoint).group;
        if (_group.isNull()) return;
        _viewer = RCShdPtr<ScViewer>(viewer);
        _options = viewer->suspendAutoLayout();
        _members = _group->getMembers();
        for (const RCStrongPtr<ScNode>& node : _members) node->setRaised(true);
        _links = viewer->getScene()->getRaisedLinks();
    }
    const MfPlanarManip2D& manipulator = *getGraspedManipulator();
    moveBy(VwUtils::windowToWorldVector(viewer->getView(), manipulator.getCurrent() - manipulator.getPrevious()));
    _autoPan.follow(*viewer, event.getCoord());
}

void ScMoveGroupTool::finalizeManipulation(EvDeviceEvent&) {
    _autoPan.stop();
    if (!_group.isNull()) end(true);
}

void ScMoveGroupTool::moveBy(const GeVector2<float>& delta) {
    if (_group.isNull()) return;
    redraw();
    for (const RCStrongPtr<ScNode>& node : _members) node->setPosition(node->getPosition() + delta);
    _group->updateBounds();
    redraw();
}

void ScMoveGroupTool::redraw() const {
    _viewer->redrawSceneRect(_group->getBounds());
    _viewer->redrawMoving(_members, _links);
}

void ScMoveGroupTool::end(bool finished) {
    for (const RCStrongPtr<ScNode>& node : _members) node->setRaised(false);
    if (finished && !_options.autoCleanup) _viewer->getClient().nodesMoved(_members);
    _viewer->resumeAutoLayout(_options, finished);
    if (finished) _viewer->update("ScMoveGroupTool::finalizeManipulation");
    _viewer.reset();
    _group.reset();
    _members.clear();
    _links.clear();
}

} // namespace Zv
