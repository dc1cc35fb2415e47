#pragma once

#include "views/schematic/src/scContext.h"

#include "platform/base/gePoint2.h"

namespace Zv {

// What a pick measures with: the font and zoom labels are sized by, and the scene point asked about.
class ScPickContext : public ScContext {
public:
    ScPickContext(const RCShdPtr<WsFont>& font, float scale, const GePoint2<float>& point)
        : ScContext(font, scale), _point(point) {}

    const GePoint2<float>& getPoint() const { return _point; }

private:
    GePoint2<float> _point;
};

} // namespace Zv
