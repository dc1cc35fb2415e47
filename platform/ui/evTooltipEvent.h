#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/liString.h"
#include "platform/ui/evDeviceEvent.h"

#include <vector>

namespace Zv {

// Asks what tooltip to show at the pointer. A handler answers with a text, lines separated by
// "<br>", and the window rectangle the tooltip belongs to; no text means no tooltip.
class EvTooltipEvent : public EvDeviceEvent {
public:
    using EvDeviceEvent::EvDeviceEvent;

    void setTooltip(const LiString& text, const GeRectangle<float>& rect) {
        _text = text;
        _rect = rect;
        setProcessed();
    }
    const LiString& getText() const { return _text; }
    std::vector<LiString> getLines() const { return _text.isEmpty() ? std::vector<LiString>() : _text.split("<br>"); }
    const GeRectangle<float>& getRect() const { return _rect; }

private:
    LiString _text;
    GeRectangle<float> _rect;
};

} // namespace Zv
