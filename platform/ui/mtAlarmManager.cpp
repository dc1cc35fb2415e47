#include "platform/ui/mtAlarmManager.h"

#include "platform/base/assertions.h"
#include "platform/ui/uiBackend.h"

#include <algorithm>

namespace Zv {

MtAlarmManager::~MtAlarmManager() {
    for (const auto& alarm : _registered) alarm->_registered = false;
}

RCShdPtr<MtAlarmHandle> MtAlarmManager::create(const LiString& name, double duration,
                                               RCShdPtr<MtAlarmHandle::Handler> handler) {
    return RCShdPtr<MtAlarmHandle>(new MtAlarmHandle(name, duration, std::move(handler)));
}

void MtAlarmManager::registerAlarm(const RCShdPtr<MtAlarmHandle>& alarm) {
    // A repeating alarm with no period would fire forever at one instant.
    ZV_ASSERT(alarm->getNbRequestedRepeats() == 0 || alarm->getRepeatDuration() > 0.0);
    std::erase(_registered, alarm);
    alarm->_registered = true;
    alarm->_repeatCount = 0;
    alarm->_due = _backend.getTime() + std::max(0.0, alarm->getFirstDuration());
    alarm->_sequence = _nextSequence++;
    _registered.push_back(alarm);
    scheduleWakeUp();
}

void MtAlarmManager::unregisterAlarm(const RCShdPtr<MtAlarmHandle>& alarm) {
    if (!alarm->_registered) return;
    alarm->_registered = false;
    std::erase(_registered, alarm);
    scheduleWakeUp();
}

std::optional<double> MtAlarmManager::getNextDueTime() const {
    std::optional<double> next;
    for (const auto& alarm : _registered)
        if (!next || alarm->_due < *next) next = alarm->_due;
    return next;
}

bool MtAlarmManager::fireNext(double now) {
    RCShdPtr<MtAlarmHandle> alarm;
    for (const auto& candidate : _registered) {
        if (candidate->_due > now) continue;
        if (alarm.isNull() || candidate->_due < alarm->_due ||
            (candidate->_due == alarm->_due && candidate->_sequence < alarm->_sequence))
            alarm = candidate;
    }
    if (alarm.isNull()) return false;
    ++alarm->_repeatCount;
    if (alarm->_repeatCount > alarm->getNbRequestedRepeats()) {
        alarm->_registered = false;
        std::erase(_registered, alarm);
    } else {
        // A late wake-up fires once, not once per period missed.
        const double next = alarm->_due + alarm->getRepeatDuration();
        alarm->_due = next > now ? next : now + alarm->getRepeatDuration();
    }
    scheduleWakeUp();
    alarm->_handler->call(*alarm);
    return true;
}

void MtAlarmManager::scheduleWakeUp() {
    _backend.scheduleAlarmWakeUp(getNextDueTime());
}

} // namespace Zv
