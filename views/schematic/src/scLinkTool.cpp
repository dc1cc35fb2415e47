#include "views/schematic/src/scLinkTool.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

#include "platform/base/cbMethod.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/uiApplication.h"

namespace Zv {
namespace {

ScPart otherSide(ScPart side) {
    return side == ScPart::Input ? ScPart::Output : ScPart::Input;
}

class SocketMenuEvent : public EvRequestEvent {
public:
    explicit SocketMenuEvent(ScLinkTool& tool) : _tool(&tool) {}
    void execute() override { _tool->openSocketMenu(); }

private:
    RCShdPtr<ScLinkTool> _tool;
};

} // namespace

ScLinkTool::ScLinkTool()
    : _manipulator(makeRC<MfPlanarManip2D>()), _shift(MfEventPredicates::isKeyModifierOn(EvModifier::Shift)),
      _ctrl(MfEventPredicates::isKeyModifierOn(EvModifier::Ctrl)),
      _alt(MfEventPredicates::isKeyModifierOn(EvModifier::Alt)),
      _autoPan("ScLinkTool", makeRC<CbMethod<ScLinkTool, const GeVector2<float>&>>(this, &ScLinkTool::autoPanShiftCb)) {
    addManipulator(_manipulator);
    setUndoString("Connect");
    UiApplication& application = UiApplication::getInstance();
    _socketMenuAlarm = application.getAlarmManager().create(
        "Socket Menu (ScLinkTool)", application.getPointerFocusDuration(),
        makeRC<CbMethod<ScLinkTool, MtAlarmHandle&>>(this, &ScLinkTool::socketMenuAlarmCb));
}

ScLinkTool::~ScLinkTool() {
    setAlarm(false);
}

bool ScLinkTool::handleEvent(EvEvent& event) {
    if (isManipulating()) return MfTool::handleEvent(event);
    // Only a press can start a link; nothing else is worth a pick.
    auto* press = dynamic_cast<EvPointerButtonEvent*>(&event);
    auto* viewer = press ? dynamic_cast<ScViewer*>(press->getViewer().get()) : nullptr;
    if (viewer == nullptr || !press->isPress()) return false;
    const ScViewer::Pick picked = viewer->pick(viewer->toScene(press->getCoord()));
    const bool onEdge = !picked.edge.isNull() && (_ctrl->evaluate(event) || _alt->evaluate(event));
    if (!picked.isSocketTab() && !onEdge) return false;
    return MfTool::handleEvent(event);
}

void ScLinkTool::initiateManipulation(EvDeviceEvent& event) {
    _viewer = dynamic_cast<ScViewer*>(event.getViewer().get());
    if (_viewer == nullptr) return;
    _savedAutoZoom = _viewer->getOptions().autoZoom;
    _savedAutoCleanup = _viewer->getOptions().autoCleanup;
    _viewer->setAutoZoom(false);
    _viewer->setAutoCleanup(false);
    _anchor = _candidate = _menuTarget = {};
    _taken.reset();
    _atBoundary = false;
    const GePoint2<float> press = _manipulator->getFirstWorld();
    const ScViewer::Pick picked = _viewer->pick(press);
    if (picked.isSocketTab()) _anchor = {picked.node, picked.tabIndex, picked.partCode};
    else if (!picked.edge.isNull()) anchorAtLinkEnd(picked.edge, press);
    // Alt wins over Ctrl: the link stays.
    _keepTaken = _alt->evaluate(event);
}

// The end nearer the press is taken up; the drag starts from the other one.
void ScLinkTool::anchorAtLinkEnd(const RCShdPtr<ScEdge>& edge, const GePoint2<float>& press) {
    const GePoint2<float> source =
        edge->getSource()->getOutputConnectionPoint(edge->getSourceSocket(), edge->getSourceFanIndex());
    const GePoint2<float> target =
        edge->getTarget()->getInputConnectionPoint(edge->getTargetSocket(), edge->getTargetFanIndex());
    _taken = edge;
    if ((press - source).length() <= (press - target).length())
        _anchor = {edge->getTarget(), edge->getTargetSocket(), ScPart::Input};
    else _anchor = {edge->getSource(), edge->getSourceSocket(), ScPart::Output};
}

GePoint2<float> ScLinkTool::getTabPoint(const Tab& tab) const {
    return tab.side == ScPart::Input ? tab.node->getInputConnectionPoint(tab.tab, 0)
                                     : tab.node->getOutputConnectionPoint(tab.tab, 0);
}

GeVector2<float> ScLinkTool::getTabDirection(const Tab& tab) const {
    return tab.side == ScPart::Input ? tab.node->getInputDirection(tab.tab) : tab.node->getOutputDirection(tab.tab);
}

void ScLinkTool::monitorManipulation(EvDeviceEvent& event) {
    if (_viewer == nullptr || _anchor.isNull()) return;
    // Shift holds the view still, for reaching what lies near its sides.
    const bool shift = _shift->evaluate(event);
    if (shift) _autoPan.stop();
    else _autoPan.follow(*_viewer, event.getCoord());
    setAtBoundary(shift && isBoundaryZone(_viewer->getEdgeZone(event.getCoord())));
    _pointer = _manipulator->getCurrentWorld();
    track();
}

bool ScLinkTool::isBoundaryZone(int edgeZone) const {
    if (!_viewer->getClient().isInsideGroup()) return false;
    return (edgeZone & (_anchor.side == ScPart::Output ? 4 : 8)) != 0;
}

void ScLinkTool::setAtBoundary(bool atBoundary) {
    if (atBoundary == _atBoundary) return;
    _atBoundary = atBoundary;
    if (!atBoundary) _viewer->update("ScLinkTool::clearBoundaryNode");
    else if (_anchor.side == ScPart::Output) _viewer->update("ScLinkTool::setBoundaryNode( output )");
    else _viewer->update("ScLinkTool::setBoundaryNode( input )");
}

void ScLinkTool::autoPanShiftCb(const GeVector2<float>& shift) {
    if (!isManipulating() || _viewer == nullptr || _anchor.isNull()) return;
    _pointer += shift;
    track();
}

void ScLinkTool::track() {
    ScGraph& scene = *_viewer->getScene();
    const GePoint2<float> pointer = _pointer;
    const ScViewer::Pick picked = _viewer->pick(pointer);
    // The menu stays while the pointer is on it or on its node.
    if (const RCShdPtr<ScSocketMenu>& menu = scene.getSocketMenu(); !menu.isNull() && picked.node != menu->getNode())
        _viewer->closeSocketMenu();
    scene.setHighlight(picked.toHighlight());
    const bool candidate = !_atBoundary && picked.isSocketTab() && picked.partCode == otherSide(_anchor.side) &&
                           picked.node != _anchor.node;
    _candidate = candidate ? Tab{picked.node, picked.tabIndex, picked.partCode} : Tab{};
    armSocketMenu(picked, pointer);
    showLink(pointer);
}

// The curve runs from the output to the input whichever end is dragged.
void ScLinkTool::showLink(const GePoint2<float>& pointer) {
    ScGraph& scene = *_viewer->getScene();
    const GePoint2<float> anchor = getTabPoint(_anchor);
    const GeVector2<float> anchorDirection = getTabDirection(_anchor);
    const GePoint2<float> free = _candidate.isNull() ? pointer : getTabPoint(_candidate);
    const GeVector2<float> freeDirection = _candidate.isNull() ? -anchorDirection : getTabDirection(_candidate);
    scene.clearProvisionalLinks();
    if (_anchor.side == ScPart::Output)
        scene.addProvisionalLink(ScGraph::makeProvisionalLink(anchor, anchorDirection, free, freeDirection));
    else scene.addProvisionalLink(ScGraph::makeProvisionalLink(free, freeDirection, anchor, anchorDirection));
    _viewer->markForUpdate();
}

// Resting on another node opens its menu of the sockets the link could go to; the row of the tab
// under the pointer, if any, opens under it.
void ScLinkTool::armSocketMenu(const ScGraph::Pick& picked, const GePoint2<float>& pointer) {
    const RCShdPtr<ScSocketMenu>& menu = _viewer->getScene()->getSocketMenu();
    if (picked.node.isNull() || picked.node == _anchor.node || (!menu.isNull() && menu->getNode() == picked.node)) {
        _menuTarget = {};
        setAlarm(false);
        return;
    }
    const ScPart side = otherSide(_anchor.side);
    const Tab target{picked.node, picked.isSocketTab() && picked.partCode == side ? picked.tabIndex : -1, side};
    _menuPoint = pointer;
    if (target.node == _menuTarget.node && target.tab == _menuTarget.tab && _socketMenuAlarm->isRegistered()) return;
    _menuTarget = target;
    // A new place to rest restarts the wait.
    setAlarm(false);
    setAlarm(true);
}

void ScLinkTool::setAlarm(bool registered) {
    if (_socketMenuAlarm->isRegistered() == registered || !UiApplication::exists()) return;
    MtAlarmManager& alarms = UiApplication::getInstance().getAlarmManager();
    if (registered) alarms.registerAlarm(_socketMenuAlarm);
    else alarms.unregisterAlarm(_socketMenuAlarm);
}

void ScLinkTool::socketMenuAlarmCb(MtAlarmHandle&) {
    setAlarm(false);
    UiApplication::getInstance().postRequest(makeRC<SocketMenuEvent>(*this));
}

void ScLinkTool::openSocketMenu() {
    if (!isManipulating() || _viewer == nullptr || _menuTarget.isNull()) return;
    _viewer->openSocketMenu(_menuTarget.node, _menuTarget.side, _menuTarget.tab, _menuPoint);
}

void ScLinkTool::finalizeManipulation(EvDeviceEvent&) {
    _autoPan.stop();
    if (_viewer == nullptr) return;
    setAlarm(false);
    // The menu gives its node's highlight back before the highlight is cleared, or the node would
    // keep it.
    ScGraph& scene = *_viewer->getScene();
    if (!scene.getSocketMenu().isNull()) _viewer->closeSocketMenu();
    scene.clearProvisionalLinks();
    scene.setHighlight({});
    _viewer->markForUpdate();
    if (_atBoundary) {
        setAtBoundary(false);
        _viewer->getClient().connectToGroup(*_anchor.node, _anchor.tab, _anchor.side);
    } else if (!_anchor.isNull() && !_candidate.isNull()) {
        connect();
    }
    _viewer->setAutoZoom(_savedAutoZoom);
    _viewer->setAutoCleanup(_savedAutoCleanup);
    _anchor = _candidate = _menuTarget = {};
    _taken.reset();
    _viewer = nullptr;
}

void ScLinkTool::connect() {
    ScViewerClient& client = _viewer->getClient();
    if (!_taken.isNull() && !_keepTaken) {
        client.moveLinkEnd(*_taken, *_candidate.node, _candidate.tab, _candidate.side);
    } else {
        const Tab& output = _anchor.side == ScPart::Output ? _anchor : _candidate;
        const Tab& input = _anchor.side == ScPart::Input ? _anchor : _candidate;
        client.connectTabs(*output.node, output.tab, *input.node, input.tab);
    }
}

} // namespace Zv
