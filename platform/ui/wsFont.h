#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/wsGlyphAtlas.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace Zv {

// A typeface at one pixel size, drawn from a glyph atlas as textured quads. Measures are in pixels;
// glyphs are rasterised the first time they are measured or drawn.
class WsFont : public RCBase {
public:
    // Horizontal: LEFT, CENTER, RIGHT of the text at x; vertical: BOTTOM, CENTER, TOP of its line box at y.
    enum Alignment { LEFT = 0, BOTTOM = 0, CENTER = 1, RIGHT = 2, TOP = 2 };

    // ExBadInput naming the file when FreeType cannot open it.
    WsFont(const std::string& path, int faceIndex, int pixelSize);
    ~WsFont() override;

    const std::string& getFilePath() const { return _path; }
    int getFaceIndex() const { return _faceIndex; }
    int getPixelSize() const { return _pixelSize; }
    // Extent of the line box above and below the baseline, both positive.
    float getAscent() const { return _ascent; }
    float getDescent() const { return _descent; }
    float getCharWidth(char32_t code) const;
    float getStringWidth(const LiString& text) const;

    // Baseline starts at (x, y, z); one pixel of the font is one unit.
    void drawString(const LiString& text, float x, float y, float z = 0.0f) const;
    void drawCenteredString(const LiString& text, float x, float y) const;
    // Aligned at (x, y), every pixel measure divided by scale: a font rasterised at a view's zoom
    // is drawn in scene units at the size its unzoomed font would have.
    void drawStringScaled(const LiString& text, float x, float y, Alignment hAlign, Alignment vAlign,
                          float scale) const;

    // Characters loaded so far; each is rasterised once, blanks included.
    int getNbRasterisedGlyphs() const { return static_cast<int>(_glyphs.size()); }

private:
    struct Glyph {
        float advance = 0.0f;
        int left = 0; // pen to bitmap, pixels
        int top = 0;  // baseline to the bitmap's top row, pixels, upwards
        GeRectangle<int> atlasRect;
    };
    struct Face;

    const Glyph& glyph(char32_t code) const;
    // Width of the text, rasterising what is missing; tells whether anything is visible.
    float prepare(const LiString& text, bool& visible) const;
    void drawQuads(const LiString& text, float x, float baseline, float z, float unitsPerPixel) const;

    std::string _path;
    int _faceIndex;
    int _pixelSize;
    std::unique_ptr<Face> _face;
    float _ascent = 0.0f;
    float _descent = 0.0f;
    mutable std::unordered_map<char32_t, Glyph> _glyphs;
    mutable WsGlyphAtlas _atlas;
};

} // namespace Zv
