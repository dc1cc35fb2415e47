#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/wsFont.h"
#include "platform/ui/wsFontRegistry.h"

namespace Zv {

// A font family at a base size that follows a view's zoom: each scale gets the family rasterised
// at the zoomed pixel size, so zoomed text stays sharp. Fonts are shared per pixel size.
class WsScaledFont : public RCBase {
public:
    // A size of 0 means the registry's default pixel size.
    explicit WsScaledFont(int size = 0, LiString name = WsFontRegistry::DefaultFont);

    int getSize() const { return _size; }
    // The font at size × scale pixels, rounded, at least one pixel.
    RCShdPtr<WsFont> getScaledFont(float scale) const;

private:
    int _size;
    LiString _name;
};

} // namespace Zv
