#include "platform/ui/txTexture.h"

#include "platform/ui/txTexFcty.h"

#include <algorithm>
#include <cstring>

namespace Zv {

TxTexture::TxTexture(GLint internalFormat, GLint wrap, GLint filter)
    : _internalFormat(internalFormat), _wrap(wrap), _filter(filter) {}

TxTexture::~TxTexture() {
    // A name from a replaced context belongs to nobody now.
    if (_name != 0 && _contextGeneration == TxTexFcty::getContextGeneration()) glDeleteTextures(1, &_name);
}

void TxTexture::load(const IxTile& tile) {
    _tile = tile;
    if (!_tile.isValid()) {
        _width = _height = 0;
        return;
    }
    const GeRectangle<int> whole(0, tile.getWidth(), 0, tile.getHeight());
    _loadedRegion = _rod.isEmpty() ? whole
                                   : GeRectangle<int>(std::max(_rod.xMin, 0), std::min(_rod.xMax, whole.xMax),
                                                      std::max(_rod.yMin, 0), std::min(_rod.yMax, whole.yMax));
    ensureName();
    upload();
}

void TxTexture::reloadRows(int firstRow, int endRow) {
    if (!_tile.isValid()) return;
    if (_name == 0 || _contextGeneration != TxTexFcty::getContextGeneration()) {
        ensureName();
        upload();
        return;
    }
    glBindTexture(GL_TEXTURE_2D, _name);
    uploadRows(firstRow, endRow);
}

void TxTexture::bind() {
    if (_contextGeneration != TxTexFcty::getContextGeneration()) {
        ensureName();
        if (_tile.isValid()) upload();
    }
    glBindTexture(GL_TEXTURE_2D, _name);
}

void TxTexture::ensureName() {
    if (_name != 0 && _contextGeneration == TxTexFcty::getContextGeneration()) return;
    glGenTextures(1, &_name);
    _contextGeneration = TxTexFcty::getContextGeneration();
    _width = _height = 0;
}

// Whole upload: allocates the GL image when the size changed, else replaces its pixels.
void TxTexture::upload() {
    glBindTexture(GL_TEXTURE_2D, _name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, _wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, _wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, _filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, _filter);
    const int width = _loadedRegion.getWidth();
    const int height = _loadedRegion.getHeight();
    if (width != _width || height != _height) {
        glTexImage2D(GL_TEXTURE_2D, 0, _internalFormat, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        _width = width;
        _height = height;
    }
    uploadRows(0, height);
}

// GL puts texture row 0 at t = 0, the bottom, so image rows are sent bottom-up: the region's top
// row lands at t = 1 and a quad with t = 0 at its lower edge shows the picture upright.
void TxTexture::uploadRows(int firstRow, int endRow) {
    firstRow = std::max(firstRow, 0);
    endRow = std::min(endRow, _height);
    if (firstRow >= endRow) return;
    const IxImage& image = _tile.getImage();
    const size_t rowBytes = static_cast<size_t>(_width) * 4;
    _flipped.resize(rowBytes * (endRow - firstRow));
    for (int row = firstRow; row < endRow; ++row)
        std::memcpy(&_flipped[rowBytes * (endRow - 1 - row)], image.at(_loadedRegion.xMin, _loadedRegion.yMin + row),
                    rowBytes);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, _height - endRow, _width, endRow - firstRow, GL_RGBA, GL_UNSIGNED_BYTE,
                    _flipped.data());
}

} // namespace Zv
