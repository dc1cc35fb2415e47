#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Zv {

// An 8-bit RGBA picture, rows top to bottom, straight (not premultiplied) alpha.
struct IxImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    IxImage() = default;
    IxImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}

    bool isEmpty() const { return width <= 0 || height <= 0; }
    uint8_t* at(int x, int y) { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

} // namespace Zv
