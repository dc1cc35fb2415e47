#pragma once

#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scToolAutoPan.h"

#include "platform/ui/mfTool.h"
#include "platform/ui/mtAlarmHandle.h"

namespace Zv {

class ScViewer;

// Draws a new link by dragging from a socket tab to a tab of the other kind on another node, or, with
// Ctrl or Alt, takes up the nearer end of a link and drags it to another tab: Ctrl moves the link,
// Alt keeps it and makes a new one beside it. Resting on a node opens its socket menu, whose entries
// stand for the node's tabs. Near a side the view scrolls, unless Shift is held;
// inside a group node, Shift at the bottom (from an output) or the top (from an input) connects
// through a new socket of the group. One "Connect" step on release over a
// tab; nothing elsewhere.
class ScLinkTool : public MfTool {
public:
    ScLinkTool();
    ~ScLinkTool() override;

    bool handleEvent(EvEvent& event) override;
    void initiateManipulation(EvDeviceEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;
    void finalizeManipulation(EvDeviceEvent& event) override;

    // The socket-menu alarm's work, run between events.
    void openSocketMenu();

private:
    struct Tab {
        RCStrongPtr<ScNode> node;
        int tab = -1;
        ScPart side = ScPart::Input;
        bool isNull() const { return node.isNull(); }
    };

    void anchorAtLinkEnd(const RCShdPtr<ScEdge>& edge, const GePoint2<float>& press);
    // Candidate, highlight, socket menu and provisional link for the pointer's scene point.
    void track();
    // Held with Shift at the bottom side with an output, or at the top with an input, inside a group
    // node, the link leaves the group through a new socket of it.
    bool isBoundaryZone(int edgeZone) const;
    void setAtBoundary(bool atBoundary);
    void showLink(const GePoint2<float>& pointer);
    void armSocketMenu(const ScGraph::Pick& picked, const GePoint2<float>& pointer);
    void socketMenuAlarmCb(MtAlarmHandle& alarm);
    void setAlarm(bool registered);
    // The view scrolled under the pointer: the free end follows.
    void autoPanShiftCb(const GeVector2<float>& shift);
    void connect();
    GePoint2<float> getTabPoint(const Tab& tab) const;
    GeVector2<float> getTabDirection(const Tab& tab) const;

    RCShdPtr<MfPlanarManip2D> _manipulator;
    MfEventPredicates::Predicate _shift, _ctrl, _alt;
    ScViewer* _viewer = nullptr;
    Tab _anchor;
    Tab _candidate;
    GePoint2<float> _pointer;
    // The link whose end was taken up, and whether it stays beside the new one.
    RCShdPtr<ScEdge> _taken;
    bool _keepTaken = false;
    bool _atBoundary = false;
    bool _savedAutoZoom = false;
    bool _savedAutoCleanup = false;
    RCShdPtr<MtAlarmHandle> _socketMenuAlarm;
    Tab _menuTarget;
    GePoint2<float> _menuPoint;
    ScToolAutoPan _autoPan;
};

} // namespace Zv
