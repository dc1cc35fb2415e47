#pragma once

#include "platform/ui/ixImage.h"

#include <string>

namespace Zv {

// PNG files through libpng. Failures raise ExBadInput naming the path.
class IxPngFile {
public:
    // Written with alpha forced to 255: blended renders keep a destination alpha below one.
    static void writeOpaque(const std::string& path, const IxImage& image);
    static void write(const std::string& path, const IxImage& image);
    static IxImage read(const std::string& path);
};

} // namespace Zv
