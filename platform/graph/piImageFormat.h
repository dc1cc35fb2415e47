#pragma once

namespace Zv {

// The format of an output's image as the graph knows it before rendering: its channel layout.
struct PiImageFormat {
    int channels = 4; // PiSocketDesc::Channels
};

} // namespace Zv
