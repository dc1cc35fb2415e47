#pragma once

#include "platform/base/rcStrongPtr.h"

#include <algorithm>

namespace Zv {

class WsFont;

// What drawing and picking share: the font and the view's zoom.
class ScContext {
public:
    ScContext(const RCShdPtr<WsFont>& font, float scale);
    virtual ~ScContext();

    const RCShdPtr<WsFont>& getFont() const { return _font; }
    float getScale() const { return _scale; }
    float getInverseScale() const { return _inverseScale; }
    // Radians between the points of a drawn arc: finer when zoomed in, never zero.
    float getArcStep() const { return std::max(0.1f * _inverseScale, 0.001f); }

private:
    RCShdPtr<WsFont> _font;
    float _scale;
    float _inverseScale;
};

} // namespace Zv
