#include "app/view/sceneRenderer.h"

#include "platform/ui/wsFontRegistry.h"
#include "platform/ui/wsScaledFont.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scGraph.h"

#include <GL/gl.h>

#include <algorithm>

namespace Zv {
namespace {

constexpr float kMargin = 40.0f;
constexpr float kMaxZoom = 1.5f;

GeRectangle<float> sceneBounds(ScGraph& scene, const ScContext& ctx) {
    GeRectangle<float> bounds;
    for (const auto& node : scene.getNodes()) {
        GeRectangle<float> nodeBounds;
        node->getBounds(nodeBounds, ctx);
        bounds.unite(nodeBounds);
    }
    for (const auto& group : scene.getGroups()) bounds.unite(group->getBounds());
    return bounds.isEmpty() ? GeRectangle<float>(-100.0f, 100.0f, -100.0f, 100.0f) : bounds;
}

} // namespace

void SceneRenderer::render(ScGraph& scene, int width, int height, ScLinkStyle linkStyle) {
    const ScColorTable colors = ScDrawContext::readShippedColorTable();
    RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    const GeRectangle<float> bounds = sceneBounds(scene, ScContext(font, 1.0f));
    const float zoom = std::min(
        {(width - 2.0f * kMargin) / bounds.getWidth(), (height - 2.0f * kMargin) / bounds.getHeight(), kMaxZoom});
    const GePoint2<float> centre = bounds.getCenter();
    const float halfWidth = width / (2.0f * zoom), halfHeight = height / (2.0f * zoom);
    const GeRectangle<float> visible(centre.x - halfWidth, centre.x + halfWidth, centre.y - halfHeight,
                                     centre.y + halfHeight);

    ScDrawContext::beginFrame(visible, width, height, colors);

    ScDrawContext ctx({}, font, WsScaledFont().getScaledFont(zoom), zoom, colors, 1.0f);
    scene.draw(ctx, visible, linkStyle, true);
    glFinish();
}

} // namespace Zv
