#include "platform/ui/wsScaledFont.h"

#include <algorithm>
#include <cmath>

namespace Zv {

WsScaledFont::WsScaledFont(int size, LiString name)
    : _size(size > 0 ? size : WsFontRegistry::DefaultPixelSize), _name(std::move(name)) {}

RCShdPtr<WsFont> WsScaledFont::getScaledFont(float scale) const {
    const int pixelSize = std::max(1, static_cast<int>(std::lround(static_cast<float>(_size) * scale)));
    return WsFontRegistry::getFont(_name, pixelSize);
}

} // namespace Zv
