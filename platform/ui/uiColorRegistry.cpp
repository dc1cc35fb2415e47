#include "platform/ui/uiColorRegistry.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"

namespace Zv {

std::optional<UiResColor> UiColorRegistry::findColor(const LiString& name) {
    if (name == "Black") return UiResColor{0.0f, 0.0f, 0.0f};
    if (name == "White") return UiResColor{1.0f, 1.0f, 1.0f};
    if (!name.startsWith("Grey")) return std::nullopt;
    const auto level = LiStringUtil::parseInt(LiString(name.str().substr(4)));
    if (!level || *level < 0 || *level > 255) return std::nullopt;
    const float grey = static_cast<float>(*level) / 255.0f;
    return UiResColor{grey, grey, grey};
}

UiResColor UiColorRegistry::getColor(const LiString& name) {
    const std::optional<UiResColor> color = findColor(name);
    ZV_ASSERT(color.has_value());
    return *color;
}

} // namespace Zv
