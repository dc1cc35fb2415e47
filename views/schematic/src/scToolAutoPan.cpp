#include "views/schematic/src/scToolAutoPan.h"

#include "views/schematic/src/scViewer.h"

#include "platform/base/cbMethod.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/wsCursorRegistry.h"

#include <string>

namespace Zv {

// Outlives the tool while a tick's request is pending; a stopped state ignores it.
class ScToolAutoPan::State : public RCBase {
public:
    State(const char* toolName, const RCShdPtr<ShiftCb>& shift, double firstDuration)
        : _shift(shift), _reason(std::string(toolName) + "::autoPan") {
        _alarm = UiApplication::getInstance().getAlarmManager().create(
            "Auto Pan (" + std::string(toolName) + ")", kRepeatDuration,
            makeRC<CbMethod<State, MtAlarmHandle&>>(this, &State::tickCb));
        _alarm->setFirstDuration(firstDuration);
        _alarm->setNbRequestedRepeats(0x7fffffff);
    }

    void follow(ScViewer& viewer, const GePoint2<float>& windowPoint) {
        _edgeZone = viewer.getEdgeZone(windowPoint);
        if (_edgeZone == 0) return stop();
        _viewer = RCShdPtr<ScViewer>(&viewer);
        if (_alarm->isRegistered()) return;
        UiApplication& application = UiApplication::getInstance();
        application.getAlarmManager().registerAlarm(_alarm);
        application.pushOverrideCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Pan));
    }

    void stop() {
        _edgeZone = 0;
        if (!_alarm->isRegistered() || !UiApplication::exists()) return;
        UiApplication& application = UiApplication::getInstance();
        application.getAlarmManager().unregisterAlarm(_alarm);
        application.popOverrideCursor();
    }

    bool isRunning() const { return _alarm->isRegistered(); }
    int getEdgeZone() const { return _edgeZone; }

    void step(int repeatCount) {
        RCShdPtr<ScViewer> viewer = _viewer.lock();
        if (!isRunning() || viewer.isNull()) return;
        const GeVector2<float> shift = viewer->autoPanStep(_edgeZone, repeatCount);
        if (!_shift.isNull()) _shift->call(shift);
        viewer->update(_reason);
    }

private:
    void tickCb(MtAlarmHandle& alarm);

    RCShdPtr<ShiftCb> _shift;
    LiString _reason;
    RCShdPtr<MtAlarmHandle> _alarm;
    RCWeakPtr<ScViewer> _viewer;
    int _edgeZone = 0;
};

namespace {

class AutoPanEvent : public EvRequestEvent {
public:
    AutoPanEvent(RCShdPtr<ScToolAutoPan::State> state, int repeatCount)
        : _state(std::move(state)), _repeatCount(repeatCount) {}
    void execute() override { _state->step(_repeatCount); }

private:
    RCShdPtr<ScToolAutoPan::State> _state;
    int _repeatCount;
};

} // namespace

void ScToolAutoPan::State::tickCb(MtAlarmHandle& alarm) {
    // Alarms only post: the pan runs between events, where the scene may change.
    UiApplication::getInstance().postRequest(makeRC<AutoPanEvent>(RCShdPtr<State>(this), alarm.getRepeatCount()));
}

ScToolAutoPan::ScToolAutoPan(const char* toolName, const RCShdPtr<ShiftCb>& shift, double firstDuration)
    : _state(makeRC<State>(toolName, shift, firstDuration)) {}

ScToolAutoPan::~ScToolAutoPan() {
    stop();
}

void ScToolAutoPan::follow(ScViewer& viewer, const GePoint2<float>& windowPoint) {
    _state->follow(viewer, windowPoint);
}

void ScToolAutoPan::stop() {
    _state->stop();
}

bool ScToolAutoPan::isRunning() const {
    return _state->isRunning();
}

int ScToolAutoPan::getEdgeZone() const {
    return _state->getEdgeZone();
}

} // namespace Zv
