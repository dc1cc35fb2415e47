#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/rcBase.h"
#include "platform/ui/ixTile.h"

#include <GL/gl.h>

#include <vector>

namespace Zv {

// A 2D texture on the current GL context, made by TxTexFcty. It keeps the tile it was loaded from,
// so that it can upload again into a new context (TxTexFcty::resetContext).
class TxTexture : public RCBase {
public:
    ~TxTexture() override;

    // The part of the next loaded tile that becomes the texture, in tile pixels (x right, y down).
    // Empty means the whole tile.
    void setEffectiveROD(const GeRectangle<int>& region) { _rod = region; }
    const GeRectangle<int>& getEffectiveROD() const { return _rod; }

    // Uploads the tile (its effective region); an invalid tile leaves the texture empty.
    void load(const IxTile& tile);
    // Uploads again rows [firstRow, endRow) (top-down, within the effective region) of the loaded tile
    // after its owner changed them in place.
    void reloadRows(int firstRow, int endRow);

    // Texture coordinate t = 0 is the bottom row of the picture, t = 1 its top.
    // Binds to GL_TEXTURE_2D, creating the GL texture first when the context has none yet.
    void bind();
    bool isLoaded() const { return _tile.isValid(); }
    int getWidth() const { return _width; }
    int getHeight() const { return _height; }

private:
    friend class TxTexFcty;
    TxTexture(GLint internalFormat, GLint wrap, GLint filter);

    void ensureName();
    void upload();
    void uploadRows(int firstRow, int endRow);

    GLint _internalFormat;
    GLint _wrap;
    GLint _filter;
    GLuint _name = 0;
    unsigned _contextGeneration = 0;
    IxTile _tile;
    GeRectangle<int> _rod;
    GeRectangle<int> _loadedRegion;
    int _width = 0;
    int _height = 0;
    std::vector<uint8_t> _flipped;
};

} // namespace Zv
