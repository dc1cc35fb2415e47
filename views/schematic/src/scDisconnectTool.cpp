#include "views/schematic/src/scDisconnectTool.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/smContext.h"
#include "platform/ui/smStateObject.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiColorRegistry.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/wsCursorRegistry.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace Zv {
namespace {

ScViewer* getScViewer(const EvDeviceEvent& event) {
    return dynamic_cast<ScViewer*>(event.getViewer().get());
}

const SmStateObject& getLineState() {
    static const SmStateObject state = [] {
        SmStateObject s;
        s.enable(GL_SCISSOR_TEST)
            .disable(GL_DITHER)
            .enable(GL_BLEND)
            .blend(GL_FUNC_ADD, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)
            .enable(GL_LINE_SMOOTH);
        return s;
    }();
    return state;
}

} // namespace

ScDisconnectTool::ScDisconnectTool() : _manipulator(makeRC<MfPlanarManip2D>()) {
    const int hotkey =
        UiApplication::getInstance().getHotkeyRegistry().findEntry(UiHotkeyRegistry::SchematicDomain, "Disconnect");
    _manipulator->setGraspPredicate(MfEventPredicates::both(MfEventPredicates::isButtonPress(EvButton::Left),
                                                            MfEventPredicates::isHotkeyHeld(hotkey)));
    _manipulator->setCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Scissor));
    addManipulator(_manipulator);
    setUndoString("Disconnect");
}

ScDisconnectTool::~ScDisconnectTool() = default;

bool ScDisconnectTool::handleEvent(EvEvent& event) {
    if (isManipulating()) return MfTool::handleEvent(event);
    // Only a press can start a cut, and only on the empty background: presses on nodes, links and
    // groups belong to the other tools.
    auto* press = dynamic_cast<EvPointerButtonEvent*>(&event);
    ScViewer* viewer = press ? getScViewer(*press) : nullptr;
    if (viewer == nullptr || !press->isPress()) return false;
    const ScViewer::Pick picked = viewer->pick(viewer->toScene(press->getCoord()));
    if (!picked.node.isNull() || !picked.edge.isNull() || !picked.group.isNull()) return false;
    return MfTool::handleEvent(event);
}

void ScDisconnectTool::initiateManipulation(EvDeviceEvent&) {
    _start = _end = _manipulator->getFirstWorld();
}

GeRectangle<float> ScDisconnectTool::getLineBounds() const {
    return {std::min(_start.x, _end.x), std::max(_start.x, _end.x), std::min(_start.y, _end.y),
            std::max(_start.y, _end.y)};
}

void ScDisconnectTool::monitorManipulation(EvDeviceEvent& event) {
    const GePoint2<float> end = _manipulator->getCurrentWorld();
    if (end == _end) return;
    // The line's old place is repainted too, for a line that got shorter.
    const GeRectangle<float> before = getLineBounds();
    _end = end;
    if (ScViewer* viewer = getScViewer(event)) viewer->redrawSceneRect(before | getLineBounds());
}

void ScDisconnectTool::finalizeManipulation(EvDeviceEvent& event) {
    _end = _manipulator->getCurrentWorld();
    ScViewer* viewer = getScViewer(event);
    if (viewer == nullptr) return;
    viewer->getClient().disconnectCrossing(_start, _end);
    viewer->redrawSceneRect(getLineBounds());
}

void ScDisconnectTool::draw(MfViewer&) {
    if (!isManipulating()) return;
    SmContext::getCurrentContext().applyStateObject(getLineState());
    const UiResColor color = UiColorRegistry::getColor(UiColorRegistry::Grey200);
    glColor4f(color.r, color.g, color.b, 1.0f);
    glBegin(GL_LINES);
    glVertex2f(std::round(_start.x), std::round(_start.y));
    glVertex2f(std::round(_end.x), std::round(_end.y));
    glEnd();
}

} // namespace Zv
