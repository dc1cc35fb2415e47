#include "platform/ui/mfDragManip.h"

#include "platform/ui/vwUtils.h"

namespace Zv {

GeRectangle<float> MfDragManip::getBand(const VwView& view) const {
    return GeRectangle<float>::spanning(VwUtils::worldToWindow(view, getFirstCorner()), getCurrent());
}

} // namespace Zv
