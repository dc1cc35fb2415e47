#pragma once

#include "platform/base/geRectangle.h"
#include "platform/ui/mfDragManip.h"
#include "platform/ui/mfTool.h"

namespace Zv {

class SnSelection;

// Selection by clicks and rubber bands. A left press on items applies them to the selection at once
// and is left to the tools after this one (so a press on a node can still drag it); a press that
// picks nothing starts a band, whose items are applied on release. A press on an item already
// selected, without a selection modifier, keeps the selection as it is, so several items can be
// dragged together.
class MfSelectTool : public MfTool {
public:
    enum class SelectMode : int {
        Single = 0,   // clicks only: a press on nothing clears the selection, no band
        Multiple = 1, // clicks and bands, with the xor and union modifiers
    };

    explicit MfSelectTool(SelectMode mode);
    ~MfSelectTool() override;

    bool handleEvent(EvEvent& event) override;
    // The band, while it is dragged.
    void draw(MfViewer& viewer) override;
    void initiateManipulation(EvDeviceEvent& event) override;
    void monitorManipulation(EvDeviceEvent& event) override;
    void finalizeManipulation(EvDeviceEvent& event) override;

    // Items under the event's pointer.
    virtual RCShdPtr<SnSelection> getPickedSelection(EvDeviceEvent& event) = 0;
    // Items covered by a band of window pixels.
    virtual RCShdPtr<SnSelection> getBandSelection(EvDeviceEvent& event, const GeRectangle<float>& band) = 0;
    // The selection of the event's viewer.
    virtual RCShdPtr<SnSelection> getSelection(EvDeviceEvent& event);
    // Toggles the items in the selection (xor modifier), adds them (union modifier), or else makes
    // them the selection unless it already is; the selection changes once.
    virtual void applySelection(EvDeviceEvent& event, const SnSelection& items);

    SelectMode getSelectMode() const { return _mode; }
    MfDragManip& getDragManip() { return *_band; }

private:
    SelectMode _mode;
    RCShdPtr<MfDragManip> _band;
    MfEventPredicates::Predicate _xor = MfEventPredicates::isSelectionXor();
    MfEventPredicates::Predicate _union = MfEventPredicates::isSelectionUnion();
};

} // namespace Zv
