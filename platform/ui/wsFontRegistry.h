#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/wsFont.h"

namespace Zv {

// Fonts found through fontconfig, one shared WsFont per family name and pixel size for the whole run.
class WsFontRegistry {
public:
    static constexpr const char* DefaultFont = "DejaVu Sans";
    static constexpr int DefaultPixelSize = 12;

    // A pixel size of 0 means DefaultPixelSize. Null when fontconfig knows no font file at all.
    static RCShdPtr<WsFont> getFont(const LiString& name = DefaultFont, int pixelSize = 0);
};

} // namespace Zv
