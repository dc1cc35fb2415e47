#include "views/schematic/src/scContext.h"

#include "platform/ui/wsFont.h"

namespace Zv {

ScContext::ScContext(const RCShdPtr<WsFont>& font, float scale)
    : _font(font), _scale(scale), _inverseScale(1.0f / scale) {}

ScContext::~ScContext() = default;

} // namespace Zv
