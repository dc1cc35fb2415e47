#include "platform/ui/uiTimeOptions.h"

#include "platform/base/cbMethod.h"
#include "platform/base/liStringUtil.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiToggle.h"

#include <optional>

namespace Zv {

UiTimeOptions::UiTimeOptions(TmTimeClient& client) : UiContainer(PageName), _client(client) {
    _updateOnPlay = add(makeRC<UiToggle>("UpdateOnPlay", "Update while playing"));
    _timeOffsetEnabled = add(makeRC<UiToggle>("TimeOffsetTag", "Offset the time"));
    _timeOffset = add(makeRC<UiTextField>("TimeOffsetValue", ""));
    _followMaster = add(makeRC<UiToggle>("FollowMaster", "Follow the workspace's time"));
    _playAll = add(makeRC<UiToggle>("PlayAll", "Play every frame"));
    _userRateEnabled = add(makeRC<UiToggle>("UserRate", "Own frame rate"));
    _userRate = add(makeRC<UiTextField>("UserRateValue", ""));
    _stopOnDroppedFrame = add(makeRC<UiToggle>("StopOnDroppedFrame", "Stop on a dropped frame"));
    _callbacks.add(_client.addOptionsChangedCb(makeRC<CbMethod<UiTimeOptions>>(this, &UiTimeOptions::refresh)));
    refresh();
}

UiTimeOptions::~UiTimeOptions() = default;

template <class W>
RCShdPtr<W> UiTimeOptions::add(const RCShdPtr<W>& widget) {
    addChild(widget);
    auto changed = makeRC<CbFunction<W&>>([this](W&) { widgetChangedCb(); });
    _callbacks.add(widget->addValueChangedCb(changed));
    return widget;
}

void UiTimeOptions::refresh() {
    const TmTimeClient::Settings& settings = _client.getSettings();
    _updateOnPlay->setValue(settings.updateOnPlay, false);
    _timeOffsetEnabled->setValue(settings.timeOffsetEnabled, false);
    _timeOffset->setText(LiStringUtil::convertNb(settings.timeOffset), false);
    _followMaster->setValue(settings.followMaster, false);
    _playAll->setValue(settings.playAll, false);
    _userRateEnabled->setValue(settings.userRateEnabled, false);
    _userRate->setText(LiStringUtil::convertNb(settings.userRate), false);
    _stopOnDroppedFrame->setValue(settings.stopOnDroppedFrame, false);
}

void UiTimeOptions::widgetChangedCb() {
    TmTimeClient::Settings settings = _client.getSettings();
    settings.updateOnPlay = _updateOnPlay->getValue();
    settings.timeOffsetEnabled = _timeOffsetEnabled->getValue();
    settings.followMaster = _followMaster->getValue();
    settings.playAll = _playAll->getValue();
    settings.userRateEnabled = _userRateEnabled->getValue();
    settings.stopOnDroppedFrame = _stopOnDroppedFrame->getValue();
    const std::optional<double> offset = LiStringUtil::parseFloat(_timeOffset->getText());
    const std::optional<long long> rate = LiStringUtil::parseInt(_userRate->getText());
    if (offset) settings.timeOffset = *offset;
    if (rate && *rate > 0 && *rate <= 1000) settings.userRate = static_cast<int>(*rate);
    _client.setSettings(settings);
    // A field that holds no usable number shows the client's value again.
    refresh();
}

} // namespace Zv
