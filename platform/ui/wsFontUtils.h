#pragma once

#include "platform/base/liString.h"
#include "platform/ui/wsFont.h"

namespace Zv {

class WsFontUtils {
public:
    static constexpr const char* Ellipsis = "\u2026";

    // The text when it fits in maxWidth pixels; else its longest start that fits followed by the
    // ellipsis; empty when not even the ellipsis fits.
    static LiString truncateAtTheEnd(const WsFont& font, const LiString& text, float maxWidth);
};

} // namespace Zv
