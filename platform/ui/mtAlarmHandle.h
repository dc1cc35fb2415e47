#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class MtAlarmManager;

// A named alarm. Once registered with its manager it calls back after its first duration, then once
// per repeat duration for each requested repeat, and unregisters itself after the last call.
class MtAlarmHandle : public RCBase {
public:
    using Handler = CbHandler<MtAlarmHandle&>;

    const LiString& getName() const { return _name; }
    double getFirstDuration() const { return _firstDuration; }
    void setFirstDuration(double seconds) { _firstDuration = seconds; }
    double getRepeatDuration() const { return _repeatDuration; }
    void setRepeatDuration(double seconds) { _repeatDuration = seconds; }
    // Calls after the first one; 0x7fffffff repeats until unregistered.
    int getNbRequestedRepeats() const { return _nbRequestedRepeats; }
    void setNbRequestedRepeats(int repeats) { _nbRequestedRepeats = repeats; }
    // Calls made since the alarm was last registered, the current one included: 1 in the first call.
    int getRepeatCount() const { return _repeatCount; }
    bool isRegistered() const { return _registered; }

private:
    friend class MtAlarmManager;
    MtAlarmHandle(LiString name, double duration, RCShdPtr<Handler> handler)
        : _name(std::move(name)), _firstDuration(duration), _repeatDuration(duration), _handler(std::move(handler)) {}

    LiString _name;
    double _firstDuration;
    double _repeatDuration;
    int _nbRequestedRepeats = 0;
    RCShdPtr<Handler> _handler;
    int _repeatCount = 0;
    bool _registered = false;
    double _due = 0.0;
    long long _sequence = 0; // registration order, which breaks ties between alarms due together
};

} // namespace Zv
