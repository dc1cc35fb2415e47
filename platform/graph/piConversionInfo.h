#pragma once

#include "platform/graph/piImageFormat.h"

namespace Zv {

// Whether an input's image must be converted before its tool works on it, and between which formats.
struct PiConversionInfo {
    PiImageFormat nativeFormat; // what arrives
    PiImageFormat workFormat;   // what the tool works on
    bool mustConvert() const { return nativeFormat.channels != workFormat.channels; }
};

} // namespace Zv
