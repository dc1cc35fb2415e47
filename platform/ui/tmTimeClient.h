#pragma once

#include "platform/base/cbList.h"

namespace Zv {

// How a view follows the workspace's time: whether it updates while playing, its offset, whether it
// follows the workspace's coordinator or plays on its own, and its own rate. Every change is
// announced to the options-changed callbacks.
class TmTimeClient {
public:
    struct Settings {
        bool updateOnPlay = true;
        bool timeOffsetEnabled = false;
        double timeOffset = 0.0;
        bool followMaster = true; // false: the view plays on its own coordinator
        bool playAll = true;      // the own coordinator's play mode: every frame rather than real time
        bool userRateEnabled = false;
        int userRate = 24; // frames per second
        bool stopOnDroppedFrame = false;

        bool operator==(const Settings&) const = default;
    };

    const Settings& getSettings() const { return _settings; }
    void setSettings(const Settings& settings) {
        if (settings == _settings) return;
        _settings = settings;
        _optionsChanged.call();
    }
    CbRegistration addOptionsChangedCb(RCStrongPtr<CbHandler<>> handler) {
        return _optionsChanged.add(std::move(handler));
    }

private:
    Settings _settings;
    CbList<> _optionsChanged;
};

} // namespace Zv
