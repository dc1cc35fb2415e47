#pragma once

#include "platform/base/geVector2.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/ixTile.h"
#include "platform/ui/uiResColor.h"

namespace Zv {

class ScDrawContext;
class TxTexture;

// A picture drawn as one textured quad: node icons, thumbnails, the group lock.
// The texture is made on the first draw, so icons can be built without a GL context.
class ScIcon : public RCBase {
public:
    static constexpr float kThumbnailWidth = 128.0f;
    static constexpr float kThumbnailHeight = 96.0f;
    static constexpr UiResColor kBackground{0.314f, 0.314f, 0.314f};

    // Without stretch the picture keeps its aspect ratio inside whatever box it is drawn into.
    ScIcon(const IxTile& image, bool stretch);
    ~ScIcon() override;

    // Centred on (centreX, centreY), tinted by rgb.
    void draw(ScDrawContext& ctx, float centreX, float centreY, float width, float height, float alpha,
              const UiResColor& rgb) const;
    // The size draw uses for a requested box.
    GeVector2<float> getFittedSize(float width, float height) const;

    const IxTile& getImage() const { return _image; }
    bool isStretched() const { return _stretch; }
    float getAspect() const { return _aspect; }

private:
    IxTile _image;
    mutable RCShdPtr<TxTexture> _texture;
    bool _stretch;
    float _aspect;
};

} // namespace Zv
