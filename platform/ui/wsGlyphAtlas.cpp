#include "platform/ui/wsGlyphAtlas.h"

#include "platform/base/assertions.h"
#include "platform/ui/txTexFcty.h"

#include <algorithm>
#include <cstring>

namespace Zv {
namespace {

// Blank pixels between glyphs, so linear filtering never reads a neighbour.
constexpr int kPadding = 1;
constexpr int kMaxHeight = 4096;

} // namespace

WsGlyphAtlas::WsGlyphAtlas(int width)
    : _image(std::make_shared<IxImage>(width, 64)), _texture(TxTexFcty::createTexture()) {
    for (size_t i = 0; i < _image->pixels.size(); i += 4) std::memset(&_image->pixels[i], 255, 3);
}

GeRectangle<int> WsGlyphAtlas::add(const uint8_t* coverage, int width, int height, int pitch) {
    ZV_ASSERT(width + 2 * kPadding <= getWidth());
    if (_cursorX + width + kPadding > getWidth()) {
        _shelfY += _shelfHeight;
        _shelfHeight = 0;
        _cursorX = 0;
    }
    const int x = _cursorX + kPadding;
    const int y = _shelfY + kPadding;
    if (y + height + kPadding > getHeight()) grow(y + height + kPadding);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) _image->at(x + col, y + row)[3] = coverage[row * pitch + col];
    _cursorX = x + width;
    _shelfHeight = std::max(_shelfHeight, height + kPadding);
    if (_dirtyFirstRow == _dirtyEndRow) _dirtyFirstRow = y;
    _dirtyFirstRow = std::min(_dirtyFirstRow, y);
    _dirtyEndRow = std::max(_dirtyEndRow, y + height);
    return {x, x + width, y, y + height};
}

void WsGlyphAtlas::grow(int neededHeight) {
    int height = getHeight();
    while (height < neededHeight) height *= 2;
    ZV_ASSERT(height <= kMaxHeight);
    auto grown = std::make_shared<IxImage>(getWidth(), height);
    std::memcpy(grown->pixels.data(), _image->pixels.data(), _image->pixels.size());
    for (size_t i = _image->pixels.size(); i < grown->pixels.size(); i += 4) std::memset(&grown->pixels[i], 255, 3);
    _image = std::move(grown);
    _resized = true;
}

void WsGlyphAtlas::bind() {
    if (_resized) {
        // The texture shares the atlas pixels, so later glyphs only need their rows sent again.
        _texture->load(IxTile(std::shared_ptr<const IxImage>(_image)));
        _resized = false;
    } else if (_dirtyFirstRow < _dirtyEndRow) {
        _texture->reloadRows(_dirtyFirstRow, _dirtyEndRow);
    }
    _dirtyFirstRow = _dirtyEndRow = 0;
    _texture->bind();
}

} // namespace Zv
