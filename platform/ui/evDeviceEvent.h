#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/uPtr.h"
#include "platform/ui/evEvent.h"
#include "platform/ui/evKeyboardState.h"

namespace Zv {

class MfViewer;

// Pointer buttons; as a mask, the buttons held.
enum class EvButton : int {
    None = 0,   // no button
    Left = 1,   // the primary button
    Middle = 2, // the middle button or wheel press
    Right = 4,  // the button that opens context menus
};

// An event from the pointer or the keyboard: where the pointer is, in window pixels of the widget
// (origin at its bottom left, y up), which keys and buttons are down, and the viewer it went to.
class EvDeviceEvent : public EvEvent {
public:
    EvDeviceEvent(const GePoint2<float>& coord, const EvKeyboardState& keys, int buttonsHeld)
        : _coord(coord), _keys(keys), _buttonsHeld(buttonsHeld) {}

    const GePoint2<float>& getCoord() const { return _coord; }
    const EvKeyboardState& getKeyboardState() const { return _keys; }
    EvModifier getModifiers() const { return _keys.getModifiers(); }
    bool isButtonHeld(EvButton button) const { return (_buttonsHeld & static_cast<int>(button)) != 0; }
    int getButtonsHeld() const { return _buttonsHeld; }

    // The viewer the event was sent to; null for widgets that are not viewers.
    UPtr<MfViewer> getViewer() const { return _viewer; }
    void setViewer(UPtr<MfViewer> viewer) { _viewer = viewer; }

private:
    GePoint2<float> _coord;
    EvKeyboardState _keys;
    int _buttonsHeld;
    UPtr<MfViewer> _viewer;
};

} // namespace Zv
