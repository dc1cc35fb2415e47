#include "views/schematic/src/scIcon.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/ui/txTexFcty.h"

#include <GL/gl.h>

namespace Zv {

ScIcon::ScIcon(const IxTile& image, bool stretch)
    : _image(image), _stretch(stretch),
      _aspect(image.getHeight() > 0 ? static_cast<float>(image.getWidth()) / static_cast<float>(image.getHeight())
                                    : 1.0f) {}

ScIcon::~ScIcon() = default;

GeVector2<float> ScIcon::getFittedSize(float width, float height) const {
    if (_stretch) return {width, height};
    if (height * _aspect > width + 1e-6f) return {width, width / _aspect};
    if (width / _aspect > height + 1e-6f) return {height * _aspect, height};
    return {width, height};
}

void ScIcon::draw(ScDrawContext& ctx, float centreX, float centreY, float width, float height, float alpha,
                  const UiResColor& rgb) const {
    if (!_image.isValid() && _texture.isNull()) return;
    const GeVector2<float> half = getFittedSize(width, height) * 0.5f;
    if (_texture.isNull()) {
        _texture = TxTexFcty::createTexture(GL_RGBA8, GL_CLAMP_TO_EDGE, GL_LINEAR);
        _texture->setEffectiveROD({0, _image.getWidth(), 0, _image.getHeight()});
        _texture->load(_image);
    }
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    _texture->bind();
    ctx.setState(ScDrawContext::Textured);
    ctx.setColor(rgb.r, rgb.g, rgb.b, alpha);
    glBegin(GL_POLYGON);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(centreX - half.x, centreY - half.y);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(centreX + half.x, centreY - half.y);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(centreX + half.x, centreY + half.y);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(centreX - half.x, centreY + half.y);
    glEnd();
}

} // namespace Zv
