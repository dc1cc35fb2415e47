#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/ixImage.h"
#include "platform/ui/txTexture.h"

#include <cstdint>
#include <memory>

namespace Zv {

// One texture holding the glyphs of one font size: white pixels whose alpha is the glyph's coverage,
// packed on shelves. It grows downwards when full; new glyphs reach GL on the next bind.
class WsGlyphAtlas {
public:
    explicit WsGlyphAtlas(int width);

    // Copies an 8-bit coverage bitmap in; returns where it went, in atlas pixels (x right, y down).
    GeRectangle<int> add(const uint8_t* coverage, int width, int height, int pitch);
    // Binds the texture, first sending what changed since the last bind.
    void bind();

    int getWidth() const { return _image->width; }
    int getHeight() const { return _image->height; }

private:
    void grow(int neededHeight);

    std::shared_ptr<IxImage> _image;
    RCShdPtr<TxTexture> _texture;
    int _shelfY = 0;
    int _shelfHeight = 0;
    int _cursorX = 0;
    bool _resized = true;
    int _dirtyFirstRow = 0;
    int _dirtyEndRow = 0;
};

} // namespace Zv
