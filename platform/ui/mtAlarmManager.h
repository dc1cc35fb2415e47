#pragma once

#include "platform/base/rcStrongPtr.h"
#include "platform/ui/mtAlarmHandle.h"

#include <optional>
#include <vector>

namespace Zv {

class UiBackend;

// Runs alarms on the backend's clock. Registering, unregistering and firing tell the backend when
// the next alarm is due. Alarms due at the same time fire in the order they were registered.
class MtAlarmManager {
public:
    explicit MtAlarmManager(UiBackend& backend) : _backend(backend) {}
    ~MtAlarmManager();
    MtAlarmManager(const MtAlarmManager&) = delete;
    MtAlarmManager& operator=(const MtAlarmManager&) = delete;

    // An unregistered alarm whose first and repeat durations are both duration, with no repeats.
    RCShdPtr<MtAlarmHandle> create(const LiString& name, double duration, RCShdPtr<MtAlarmHandle::Handler> handler);

    // (Re)starts the alarm: its first call comes after its first duration, the repeat count restarts.
    void registerAlarm(const RCShdPtr<MtAlarmHandle>& alarm);
    void unregisterAlarm(const RCShdPtr<MtAlarmHandle>& alarm);
    // Registered alarms, in registration order.
    const std::vector<RCShdPtr<MtAlarmHandle>>& getRegisteredAlarms() const { return _registered; }

    std::optional<double> getNextDueTime() const;
    // Calls the earliest alarm due at or before now; false when none is due.
    bool fireNext(double now);

private:
    void scheduleWakeUp();

    UiBackend& _backend;
    std::vector<RCShdPtr<MtAlarmHandle>> _registered;
    long long _nextSequence = 0;
};

} // namespace Zv
