#pragma once

#include "platform/base/cbGroup.h"
#include "platform/ui/tmTimeClient.h"
#include "platform/ui/uiContainer.h"

namespace Zv {

class UiTextField;
class UiToggle;

// The page of a view's time options: a toggle or a field per setting of its time client, kept in step
// with the client both ways. A field that does not hold a number is put back to the client's value.
class UiTimeOptions : public UiContainer {
public:
    static constexpr const char* PageName = "Time";

    explicit UiTimeOptions(TmTimeClient& client);
    ~UiTimeOptions() override;

    // Shows the client's settings, quietly.
    void refresh();

private:
    void widgetChangedCb();
    template <class W>
    RCShdPtr<W> add(const RCShdPtr<W>& widget);

    TmTimeClient& _client;
    RCShdPtr<UiToggle> _updateOnPlay;
    RCShdPtr<UiToggle> _timeOffsetEnabled;
    RCShdPtr<UiTextField> _timeOffset;
    RCShdPtr<UiToggle> _followMaster;
    RCShdPtr<UiToggle> _playAll;
    RCShdPtr<UiToggle> _userRateEnabled;
    RCShdPtr<UiTextField> _userRate;
    RCShdPtr<UiToggle> _stopOnDroppedFrame;
    CbGroup _callbacks;
};

} // namespace Zv
