#pragma once

#include "platform/ui/ixImage.h"

#include <string>

namespace Zv {

// TIFF files through libtiff, 8-bit RGB or RGBA with straight alpha. Anything else, and any file
// libtiff cannot read, raises one ExBadInput naming the path and the reason.
class IxTiffFile {
public:
    static IxImage read(const std::string& path);
    // The file's bytes: LZW with the horizontal predictor, so the same picture always gives the same bytes.
    static std::string encode(const IxImage& image);
    static void write(const std::string& path, const IxImage& image);
};

} // namespace Zv
