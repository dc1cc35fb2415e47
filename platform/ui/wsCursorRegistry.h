#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/wsCursor.h"

namespace Zv {

// The cursors of the toolkit, one shared object per name.
class WsCursorRegistry {
public:
    static constexpr const char* Default = "Default"; // the arrow
    static constexpr const char* Pan = "Pan";         // a hand: the view is being moved
    static constexpr const char* Scissor = "Scissor"; // links are being cut
    static constexpr const char* Recycle = "Recycle"; // releasing removes what is dragged
    static constexpr const char* Zoom = "Zoom";       // the view is being zoomed

    // Null for a name the toolkit does not know.
    static RCShdPtr<WsCursor> getCursor(const LiString& name);
};

} // namespace Zv
