#pragma once

#include "platform/base/liString.h"

namespace Zv {

// What a reader node learns from its image file's header: the channel layout of its result.
class PiImageFileInfo {
public:
    // The text key under which a reader keeps its file.
    static constexpr const char* kFileKey = "File";

    // PiSocketDesc::RGB or RGBA for a PNG or TIFF file. A file that cannot be used gives RGBA and
    // a problem text naming the file and the reason.
    static int readChannels(const LiString& path, LiString& problem);
};

} // namespace Zv
