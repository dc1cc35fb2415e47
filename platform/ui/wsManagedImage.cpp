#include "platform/ui/wsManagedImage.h"

#include <cstdlib>

namespace Zv {
namespace {

IxImage drawUnavailable() {
    constexpr int size = 32;
    IxImage image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            uint8_t* p = image.at(x, y);
            const bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            const bool cross = x > 4 && x < size - 5 && (std::abs(x - y) <= 1 || std::abs(x + y - (size - 1)) <= 1);
            const uint8_t grey = border ? 40 : 128;
            p[0] = cross ? 220 : grey;
            p[1] = cross ? 40 : grey;
            p[2] = cross ? 40 : grey;
            p[3] = 255;
        }
    }
    return image;
}

} // namespace

RCShdPtr<WsManagedImage> WsManagedImage::getUnavailableImage() {
    static const RCShdPtr<WsManagedImage> image = makeRC<WsManagedImage>("Unavailable", IxTile(drawUnavailable()));
    return image;
}

} // namespace Zv
