#pragma once

#include "platform/base/geRectangle.h"
#include "platform/ui/mfPlanarManip2D.h"

namespace Zv {

class VwView;

// A rubber band: from the scene point of the press to the pointer. The first corner stays on its
// scene point while the view moves, and can be shifted with the scene when the view pans under it.
class MfDragManip : public MfPlanarManip2D {
public:
    void offsetFirstCorner(const GeVector2<float>& worldDelta) { _offset += worldDelta; }
    GePoint2<float> getFirstCorner() const { return getFirstWorld() + _offset; }
    // The band in window pixels of the view as it is now.
    GeRectangle<float> getBand(const VwView& view) const;

protected:
    void grasped() override { _offset = {}; }

private:
    GeVector2<float> _offset;
};

} // namespace Zv
