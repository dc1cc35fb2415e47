#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/evDeviceEvent.h"
#include "platform/ui/mfEventPredicates.h"
#include "platform/ui/wsCursor.h"

namespace Zv {

// A gesture in the plane of a viewer: grasped by a press its predicate accepts (a left press by
// default), dragged by pointer moves, released by the release of the grasping button. It keeps the
// window points of the press, the previous and the current event, and the scene points the view
// mapped them to at the time.
class MfPlanarManip2D : public RCBase {
public:
    MfPlanarManip2D();
    ~MfPlanarManip2D() override;

    void setGraspPredicate(MfEventPredicates::Predicate predicate) { _graspPredicate = std::move(predicate); }
    void setCursor(RCShdPtr<WsCursor> cursor) { _cursor = std::move(cursor); }
    const RCShdPtr<WsCursor>& getCursor() const { return _cursor; }

    bool isGrasped() const { return _grasped; }
    EvButton getGraspButton() const { return _button; }
    const GePoint2<float>& getFirst() const { return _first; }
    const GePoint2<float>& getPrevious() const { return _previous; }
    const GePoint2<float>& getCurrent() const { return _current; }
    const GePoint2<float>& getFirstWorld() const { return _firstWorld; }
    const GePoint2<float>& getPreviousWorld() const { return _previousWorld; }
    const GePoint2<float>& getCurrentWorld() const { return _currentWorld; }
    // Scene displacement from the previous event to the current one.
    GeVector2<float> getWorldDisplacement() const { return _currentWorld - _previousWorld; }

    // The protocol MfTool drives: grasp when the event is a press the predicate accepts.
    bool tryGrasp(const EvDeviceEvent& event);
    void drag(const EvDeviceEvent& event);
    bool isReleasedBy(const EvDeviceEvent& event) const;
    void release() { _grasped = false; }

protected:
    // A new gesture starts.
    virtual void grasped() {}

private:
    MfEventPredicates::Predicate _graspPredicate;
    RCShdPtr<WsCursor> _cursor;
    bool _grasped = false;
    EvButton _button = EvButton::None;
    GePoint2<float> _first, _previous, _current;
    GePoint2<float> _firstWorld, _previousWorld, _currentWorld;
};

} // namespace Zv
