#pragma once

#include "platform/base/liString.h"
#include "platform/ui/uiResColor.h"

#include <optional>

namespace Zv {

// The toolkit's named colours: "GreyN" is the grey of level N out of 255, plus "Black" and "White".
class UiColorRegistry {
public:
    static constexpr const char* Grey60 = "Grey60";
    static constexpr const char* Grey80 = "Grey80";
    static constexpr const char* Grey140 = "Grey140";
    static constexpr const char* Grey200 = "Grey200";

    // Nothing for a name the registry does not know.
    static std::optional<UiResColor> findColor(const LiString& name);
    // Asserts that the name is known.
    static UiResColor getColor(const LiString& name);
};

} // namespace Zv
