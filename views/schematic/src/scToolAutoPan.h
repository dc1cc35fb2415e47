#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/gePoint2.h"
#include "platform/base/geVector2.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class ScViewer;

// Scrolls the view while a tool's drag rests near a viewport side. An alarm ticks every 0.05 s; each
// tick pans one step, longer the longer the pointer stays, and tells the tool how far the scene moved
// so that what it drags stays under the pointer. The Pan cursor shows while it runs.
class ScToolAutoPan {
public:
    static constexpr double kRepeatDuration = 0.05;
    // Gets the scene displacement of each step; a tool whose anchor is in scene units needs none.
    using ShiftCb = CbHandler<const GeVector2<float>&>;

    // The alarm is named "Auto Pan (toolName)"; its first tick comes after firstDuration seconds.
    ScToolAutoPan(const char* toolName, const RCShdPtr<ShiftCb>& shift, double firstDuration = kRepeatDuration);
    ~ScToolAutoPan();
    ScToolAutoPan(const ScToolAutoPan&) = delete;
    ScToolAutoPan& operator=(const ScToolAutoPan&) = delete;

    // On every drag: runs while the window point lies in the viewer's edge zone, stops outside it.
    void follow(ScViewer& viewer, const GePoint2<float>& windowPoint);
    // The gesture ended.
    void stop();
    bool isRunning() const;
    // The edge-zone flags the steps pan for, 0 when not running.
    int getEdgeZone() const;

    // What the alarm's pending requests hold.
    class State;

private:
    RCShdPtr<State> _state;
};

} // namespace Zv
