#pragma once

#include "platform/ui/ixImage.h"

#include <memory>

namespace Zv {

// A shared picture handed between image producers and drawing: copying a tile shares its pixels.
// An invalid tile (INVALID_TILE, the default) holds no picture.
class IxTile {
public:
    static const IxTile INVALID_TILE;

    IxTile() = default;
    explicit IxTile(IxImage image) : _image(std::make_shared<const IxImage>(std::move(image))) {}
    // Shares pixels that their owner may still change (a glyph atlas grows in place).
    explicit IxTile(std::shared_ptr<const IxImage> image) : _image(std::move(image)) {}

    bool isValid() const { return _image && !_image->isEmpty(); }
    int getWidth() const { return _image ? _image->width : 0; }
    int getHeight() const { return _image ? _image->height : 0; }
    // Only for a valid tile.
    const IxImage& getImage() const { return *_image; }

private:
    std::shared_ptr<const IxImage> _image;
};

} // namespace Zv
