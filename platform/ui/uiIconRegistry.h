#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/wsManagedImage.h"

namespace Zv {

// Where the icons are and how they are read: ".tif" files, each read once per process.
class UiIconRegistry {
public:
    // resources/icons of the source tree.
    static LiString getIconDirectory();
    // The image of a TIFF file, shared with earlier callers for the same path. A file that cannot be
    // read raises ExBadInput naming it and why; nothing is remembered for it.
    static RCShdPtr<WsManagedImage> loadImage(const LiString& path);
};

} // namespace Zv
