#include "platform/ui/wsFont.h"

#include "platform/base/assertions.h"
#include "platform/base/exBase.h"
#include "platform/ui/wsUtf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace Zv {
namespace {

// One FreeType instance for the process; fonts are cached for the whole run, so it is never released.
FT_Library library() {
    static FT_Library value = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0) ZV_ABORT("FreeType cannot start");
        return created;
    }();
    return value;
}

// Wide enough for a shelf of sixteen glyphs.
int atlasWidthFor(int pixelSize) {
    int width = 256;
    while (width < pixelSize * 16 && width < 4096) width *= 2;
    return width;
}

float fromFixed(FT_Pos value) {
    return static_cast<float>(value) / 64.0f;
}

void setEnabled(GLenum cap, GLboolean enabled) {
    if (enabled) glEnable(cap);
    else glDisable(cap);
}

// The state text drawing changes, read before and put back after. Kept by hand because pushing the
// attribute groups makes the software GL copy every texture unit, which costs more than the string.
class TextState {
public:
    TextState() : _texturing(glIsEnabled(GL_TEXTURE_2D)), _blending(glIsEnabled(GL_BLEND)) {
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &_texture);
        glGetIntegerv(GL_BLEND_SRC, &_blendSrc);
        glGetIntegerv(GL_BLEND_DST, &_blendDst);
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &_envMode);
    }
    ~TextState() {
        setEnabled(GL_TEXTURE_2D, _texturing);
        setEnabled(GL_BLEND, _blending);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(_texture));
        glBlendFunc(static_cast<GLenum>(_blendSrc), static_cast<GLenum>(_blendDst));
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, _envMode);
    }
    TextState(const TextState&) = delete;
    TextState& operator=(const TextState&) = delete;

private:
    GLboolean _texturing, _blending;
    GLint _texture = 0, _blendSrc = GL_ONE, _blendDst = GL_ZERO, _envMode = GL_MODULATE;
};

} // namespace

struct WsFont::Face {
    FT_Face face = nullptr;
    ~Face() {
        if (face) FT_Done_Face(face);
    }
};

WsFont::WsFont(const std::string& path, int faceIndex, int pixelSize)
    : _path(path), _faceIndex(faceIndex), _pixelSize(pixelSize), _face(std::make_unique<Face>()),
      _atlas(atlasWidthFor(pixelSize)) {
    ZV_ASSERT(pixelSize > 0);
    if (FT_New_Face(library(), path.c_str(), faceIndex, &_face->face) != 0)
        throw ExBadInput(path.c_str(), 0, path + ": not a font FreeType can read");
    if (FT_Set_Pixel_Sizes(_face->face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        throw ExBadInput(path.c_str(), 0, path + ": has no " + std::to_string(pixelSize) + " pixel size");
    _ascent = fromFixed(_face->face->size->metrics.ascender);
    _descent = -fromFixed(_face->face->size->metrics.descender);
}

WsFont::~WsFont() = default;

const WsFont::Glyph& WsFont::glyph(char32_t code) const {
    auto found = _glyphs.find(code);
    if (found != _glyphs.end()) return found->second;
    Glyph made;
    FT_Face face = _face->face;
    // A glyph FreeType cannot render is kept empty, so it is not tried again.
    if (FT_Load_Char(face, code, FT_LOAD_RENDER) == 0) {
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        made.advance = fromFixed(face->glyph->advance.x);
        made.left = face->glyph->bitmap_left;
        made.top = face->glyph->bitmap_top;
        if (bitmap.width > 0 && bitmap.rows > 0 && bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
            made.atlasRect =
                _atlas.add(bitmap.buffer, static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows), bitmap.pitch);
    }
    return _glyphs.emplace(code, made).first->second;
}

float WsFont::getCharWidth(char32_t code) const {
    return glyph(code).advance;
}

float WsFont::prepare(const LiString& text, bool& visible) const {
    visible = false;
    float width = 0.0f;
    const std::string_view bytes = text.str();
    for (size_t i = 0; i < bytes.size();) {
        const Glyph& g = glyph(WsUtf8::next(bytes, i));
        width += g.advance;
        visible = visible || !g.atlasRect.isEmpty();
    }
    return width;
}

float WsFont::getStringWidth(const LiString& text) const {
    bool visible = false;
    return prepare(text, visible);
}

void WsFont::drawString(const LiString& text, float x, float y, float z) const {
    bool visible = false;
    prepare(text, visible);
    if (visible) drawQuads(text, x, y, z, 1.0f);
}

void WsFont::drawCenteredString(const LiString& text, float x, float y) const {
    drawStringScaled(text, x, y, CENTER, CENTER, 1.0f);
}

void WsFont::drawStringScaled(const LiString& text, float x, float y, Alignment hAlign, Alignment vAlign,
                              float scale) const {
    ZV_ASSERT(scale > 0.0f);
    bool visible = false;
    const float width = prepare(text, visible);
    if (!visible) return;
    const float unitsPerPixel = 1.0f / scale;
    // Alignments 0, 1, 2 move the text by 0, a half and a whole of its extent.
    const float left = x - 0.5f * static_cast<float>(hAlign) * width * unitsPerPixel;
    const float baseline = y + (_descent - 0.5f * static_cast<float>(vAlign) * (_ascent + _descent)) * unitsPerPixel;
    drawQuads(text, left, baseline, 0.0f, unitsPerPixel);
}

// Every glyph is already in the atlas (prepare), so the texture is final before the quads start.
void WsFont::drawQuads(const LiString& text, float x, float baseline, float z, float unitsPerPixel) const {
    const TextState saved;
    _atlas.bind();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float sPerPixel = 1.0f / static_cast<float>(_atlas.getWidth());
    const float tPerPixel = 1.0f / static_cast<float>(_atlas.getHeight());
    glBegin(GL_QUADS);
    float pen = 0.0f;
    const std::string_view bytes = text.str();
    for (size_t i = 0; i < bytes.size();) {
        const Glyph& g = glyph(WsUtf8::next(bytes, i));
        const GeRectangle<int>& r = g.atlasRect;
        if (!r.isEmpty()) {
            const float x0 = x + (pen + static_cast<float>(g.left)) * unitsPerPixel;
            const float x1 = x0 + static_cast<float>(r.getWidth()) * unitsPerPixel;
            const float y1 = baseline + static_cast<float>(g.top) * unitsPerPixel;
            const float y0 = y1 - static_cast<float>(r.getHeight()) * unitsPerPixel;
            const float s0 = static_cast<float>(r.xMin) * sPerPixel, s1 = static_cast<float>(r.xMax) * sPerPixel;
            // Atlas rows run downwards; texture t runs upwards from the atlas's bottom row.
            const float tTop = 1.0f - static_cast<float>(r.yMin) * tPerPixel;
            const float tBottom = 1.0f - static_cast<float>(r.yMax) * tPerPixel;
            glTexCoord2f(s0, tBottom);
            glVertex3f(x0, y0, z);
            glTexCoord2f(s1, tBottom);
            glVertex3f(x1, y0, z);
            glTexCoord2f(s1, tTop);
            glVertex3f(x1, y1, z);
            glTexCoord2f(s0, tTop);
            glVertex3f(x0, y1, z);
        }
        pen += g.advance;
    }
    glEnd();
}

} // namespace Zv
